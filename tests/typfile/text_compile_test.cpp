// TYP texts compiled as mkgmap compiles them: every text mkgmap compiled for the tests comes out
// byte for byte (its date given), and the texts of tests/data/typ/*.cases are refused or warned
// about at the line the table names. Where mkgmap is installed it is asked again.
#include <gtest/gtest.h>

#include <sstream>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "installed/folder_listing.h"
#include "typfile/binary_reader.h"
#include "typfile/text_compile.h"
#include "typfile/text_messages.h"
#include "typfile/text_reader.h"
#include "typfile/typ_samples.h"
#include "typtext/mkgmap_runner.h"

namespace kestrel::typ {
namespace {

struct Reference {
    std::string name, text, typ;
    IdentityOverride ids;
};

std::vector<Reference> references(const std::string& folder, std::string_view pattern,
                                  const std::string& textFolder, std::string_view textEnd,
                                  const IdentityOverride& ids = {}) {
    std::vector<Reference> out;
    for (const std::string& name : installed::listFiles(folder, pattern)) {
        const std::string stem = name.substr(0, name.find('.'));
        out.push_back({name, readFile(joinPath(textFolder, concat({stem, textEnd}))).value_or(""),
                       readFile(joinPath(folder, name)).value_or(""), ids});
    }
    return out;
}

// mkgmap's compilations: the dialect and model texts, the texts `typ` writes for the golden rows,
// and the shared real texts (those that name no CodePage compiled with code page 1252, family
// 1234, product 1).
std::vector<Reference> mkgmapCompilations() {
    const std::string data = KESTREL_TYP_DATA_DIR;
    std::vector<Reference> all = references(data, "*.typ", data, ".txt");
    for (Reference& r :
         references(joinPath(data, "written"), "*.typ", KESTREL_GOLDEN_DIR, ".out.txt"))
        all.push_back(std::move(r));
    const std::string shared = joinPath(KESTREL_SHARED_TYP_DIR, "texts");
    for (Reference& r : references(shared, "*.mkgmap.typ", shared, ".txt", {1234, 1, 1252})) {
        if (readText(r.text).codePageGiven) r.ids = {};
        all.push_back(std::move(r));
    }
    return all;
}

TEST(TypText, CompilesAsMkgmapByteForByte) {
    const std::vector<Reference> all = mkgmapCompilations();
    ASSERT_GE(all.size(), 30u);
    for (const Reference& r : all) {
        SCOPED_TRACE(r.name);
        const BinaryRead mkgmap = readBinary(r.typ);
        ASSERT_FALSE(mkgmap.refusal);
        const CompiledText c = compileText(r.text, r.ids, mkgmap.created);
        ASSERT_FALSE(c.error) << problemText(*c.error);
        EXPECT_EQ(c.bytes, r.typ);
    }
}

// A case of a .cases table: "=== NAME [mkgmap fails|mkgmap compiles]", the text (\xHH for a
// byte; "--- no line end" when its last line has none), "--- expect", the lines expected.
struct Case {
    std::string name, mkgmap, text;
    std::vector<std::string> expected;
};

std::string unescaped(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "\\x") == 0 && i + 3 < s.size() && isHexDigit(s[i + 2]) &&
            isHexDigit(s[i + 3])) {
            out += static_cast<char>(hexValue(s.substr(i + 2, 2)));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<Case> cases(const std::string& file) {
    std::vector<Case> out;
    std::istringstream in(readFile(joinPath(KESTREL_TYP_DATA_DIR, file)).value_or(""));
    bool expecting = false;
    for (std::string line; std::getline(in, line);) {
        if (startsWith(line, "=== ")) {
            Case c;
            c.name = line.substr(4);
            for (const char* flag : {" [mkgmap fails]", " [mkgmap compiles]"})
                if (endsWith(c.name, flag)) {
                    c.mkgmap = std::string(flag).substr(2, std::string(flag).size() - 3);
                    c.name.resize(c.name.size() - std::string(flag).size());
                }
            out.push_back(std::move(c));
            expecting = false;
        } else if (out.empty()) {
            continue;
        } else if (line == "--- no line end") {
            out.back().text.pop_back();
        } else if (line == "--- expect") {
            expecting = true;
        } else if (expecting) {
            if (!line.empty()) out.back().expected.push_back(line);
        } else {
            out.back().text += unescaped(line) + "\n";
        }
    }
    return out;
}

const DateTime kDate{2026, 12, 5, 14, 7, 9};

// "LINE: reason" for a refusal, "LINE: text" for each warning.
std::vector<std::string> said(const CompiledText& c) {
    std::vector<std::string> out;
    for (const TextNote& n : c.notes)
        out.push_back(concat({std::to_string(n.line), ": ", warningText(n)}));
    if (c.error)
        out.push_back(concat({std::to_string(c.error->line), ": ", problemText(*c.error)}));
    return out;
}

TEST(TypText, RefusalsNameTheLine) {
    const std::vector<Case> all = cases("refused.cases");
    ASSERT_GE(all.size(), 60u);
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        const CompiledText compiled = compileText(c.text, {}, kDate);
        EXPECT_TRUE(compiled.error);
        EXPECT_TRUE(compiled.bytes.empty());
        EXPECT_EQ(said(compiled), c.expected);
    }
}

TEST(TypText, WarningsNameTheLine) {
    const std::vector<Case> all = cases("warned.cases");
    ASSERT_GE(all.size(), 15u);
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        const CompiledText compiled = compileText(c.text, {}, kDate);
        EXPECT_FALSE(compiled.error);
        EXPECT_EQ(said(compiled), c.expected);
    }
}

// mkgmap (`--code-page=1252`, as kestrel writes a text without a CodePage) on every case: it
// refuses what kestrel refuses, fails where the table says so, and compiles the warned texts into
// kestrel's bytes, except where the table says it writes a damaged file.
TEST(TypText, MkgmapAgreesWithTheTables) {
    if (!test::mkgmapAvailable()) GTEST_SKIP() << "mkgmap is not installed";
    std::vector<Case> all = cases("refused.cases");
    const std::size_t refused = all.size();
    for (Case& c : cases("warned.cases")) all.push_back(std::move(c));
    test::TempDir dir;
    std::vector<std::string> batch{"mkgmap", "--keep-going", "--code-page=1252"};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string name = concat({"case", std::to_string(i), ".txt"});
        dir.write(name, all[i].text);
        // mkgmap's run ends at a failure; those cases run alone.
        if (all[i].mkgmap == "mkgmap fails") {
            SCOPED_TRACE(all[i].name);
            EXPECT_NE(test::runProgram({"mkgmap", "--code-page=1252", name}, {}, dir.path()).status,
                      0);
        } else {
            batch.push_back(name);
        }
    }
    test::runProgram(batch, {}, dir.path());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Case& c = all[i];
        if (c.mkgmap == "mkgmap fails") continue;
        SCOPED_TRACE(c.name);
        const auto typ = readFile(dir.file(concat({"case", std::to_string(i), ".typ"})));
        const bool kestrelWrites = i >= refused;
        ASSERT_EQ(typ.has_value(), kestrelWrites || !c.mkgmap.empty());
        if (!kestrelWrites) continue;
        const BinaryRead mkgmap = readBinary(*typ);
        const CompiledText ours = compileText(c.text, {}, mkgmap.created);
        if (c.mkgmap.empty())
            EXPECT_EQ(ours.bytes, *typ);
        else
            EXPECT_NE(readBinary(ours.bytes).typ, mkgmap.typ);
    }
}

} // namespace
} // namespace kestrel::typ
