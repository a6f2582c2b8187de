// The six name texts that ship in the data folder, as the program loads them from the built
// data folder: every line is found by `match` for the entry it names, and the scrambled texts
// come back from the program's reading exactly as their plain sources.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/files.h"
#include "base/text.h"
#include "mapread/match.h"
#include "mapread/style_texts.h"
#include "mapread/type_inventory.h"
#include "support/inventory_entries.h"
#include "support/temp_dir.h"

namespace kestrel {
namespace {

const std::string kDataDir = KESTREL_BIN_DIR "/system";
const std::string kPlainSources = std::string(KESTREL_FIXTURE_DIR) + "/../../data/styles";

struct TableLine {
    std::string code; // as written, lower case, with "0x"
    std::string name;
};

// The lines of a table; the last one may lack its CR LF.
std::vector<TableLine> tableLines(const std::string& text) {
    std::vector<TableLine> out;
    auto lines = split(text, "\r\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (const std::string& line : lines) {
        const std::size_t blank = line.find(' ');
        out.push_back(
            {line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1)});
    }
    return out;
}

// The entry that `match` labels from a table line, written as the map reader writes it. Slots 0
// and 1 hold two-digit standard codes (looked up with the subtype dropped): the overview entry
// "0x4A00" (lines "0x0600 " with the overview's trailing blank). The other slots hold full
// codes: extended ones as the TRE extended overview writes them ("0x10D01 "), standard POI
// codes in the same form.
std::string entryFor(int slot, const std::string& code) {
    const std::string upper = "0x" + ucase(code.substr(2));
    if (slot == kPolygons) return upper + "00";
    if (slot == kLines) return upper + "00 ";
    return upper + " ";
}

// What `match` with the slot makes of a single entry.
std::string matched(const StyleTexts& texts, int slot, const std::string& entry) {
    TypeInventory inv;
    inv.list(slot % 3).push_back(test::listed(entry));
    ErrorLog errors;
    LabelTables tables(texts);
    match(inv, tables, slot, errors);
    EXPECT_EQ(errors.text(), "");
    return entryText(inv.list(slot % 3).front());
}

bool isHexDigits(const std::string& s) {
    for (char c : s)
        if (!isHexDigit(c) || std::isupper(static_cast<unsigned char>(c))) return false;
    return !s.empty();
}

class StyleTables : public ::testing::Test {
  protected:
    void SetUp() override {
        texts_ = loadStyleTexts(kDataDir);
        for (std::size_t slot = 0; slot < texts_.size(); ++slot)
            ASSERT_FALSE(texts_[slot].empty()) << "slot " << slot << " missing in " << kDataDir;
    }
    StyleTexts texts_;
};

TEST_F(StyleTables, EveryLineIsACodeABlankAndANameEndingInCrLf) {
    // Slots 0 and 1 hold the two-digit standard codes, slot 2 four-digit standard POI codes
    // (and possibly extended ones), slots 3 to 5 five-digit extended codes.
    const std::set<std::size_t> widths[6] = {{2}, {2}, {4, 5}, {5}, {5}, {5}};
    for (int slot = 0; slot < 6; ++slot) {
        const std::string& text = texts_[static_cast<std::size_t>(slot)];
        ASSERT_TRUE(text.ends_with("\r\n")) << "slot " << slot;
        std::set<std::string> codes;
        for (const TableLine& l : tableLines(text)) {
            SCOPED_TRACE("slot " + std::to_string(slot) + ": " + l.code + " " + l.name);
            ASSERT_TRUE(l.code.starts_with("0x"));
            EXPECT_TRUE(isHexDigits(l.code.substr(2)));
            EXPECT_TRUE(widths[slot].contains(l.code.size() - 2));
            if (l.code.size() - 2 == 5) {
                EXPECT_EQ(l.code[2], '1'); // extended: 0x1TTSS
            }
            EXPECT_FALSE(l.name.empty());
            EXPECT_FALSE(contains(l.name, "0x")); // a name must never be found as a code
            EXPECT_FALSE(contains(l.name, "\t"));
            EXPECT_FALSE(contains(l.name, "\r") || contains(l.name, "\n"));
            EXPECT_TRUE(codes.insert(l.code).second) << "code listed twice";
        }
    }
}

TEST_F(StyleTables, MatchFindsEveryLineOfEveryTable) {
    for (int slot = 0; slot < 6; ++slot) {
        for (const TableLine& l : tableLines(texts_[static_cast<std::size_t>(slot)])) {
            const std::string entry = entryFor(slot, l.code);
            EXPECT_EQ(matched(texts_, slot, entry), entry + " " + l.name)
                << "slot " << slot << ", line " << l.code;
        }
    }
}

TEST_F(StyleTables, HighwaysDefaultsAreNamedByTheLineTable) {
    // The "Highways+" defaults are listed as "0x01" ... "0x0F", "0x14", "0x1F" without subtype.
    const std::vector<TableLine> lines = tableLines(texts_[kLines]);
    for (const char* code : {"0x01", "0x02", "0x03", "0x04", "0x05", "0x06", "0x07", "0x08", "0x09",
                             "0x0A", "0x0B", "0x0C", "0x14", "0x1F"}) {
        std::optional<std::string> name;
        for (const TableLine& l : lines)
            if (l.code == lcase(code)) name = l.name;
        ASSERT_TRUE(name) << code;
        EXPECT_EQ(matched(texts_, kLines, code), std::string(code) + " " + *name);
    }
}

TEST_F(StyleTables, PoiFileLinesAreNotHiddenByTheBuiltInPoiTable) {
    // At start-up the built-in POI table goes in front of slot 2; the file's lines must stay
    // reachable behind it (the file leaves out the codes that the built-in table names).
    StyleTexts withBuiltIn = texts_;
    a_n_p(withBuiltIn);
    for (const TableLine& l : tableLines(texts_[kPois])) {
        const std::string entry = entryFor(kPois, l.code);
        EXPECT_EQ(matched(withBuiltIn, kPois, entry), entry + " " + l.name) << l.code;
    }
}

TEST_F(StyleTables, StandardCodesFindNothingInTheExtendedTables) {
    // Slots 3 and 4 run over whole lists: a standard entry must not pick up a name there (for
    // polygons a second one), so no extended line may start with a standard code.
    for (int kind : {kPolygons, kLines}) {
        for (const TableLine& l : tableLines(texts_[static_cast<std::size_t>(kind)])) {
            const std::string entry = entryFor(kind, l.code);
            EXPECT_EQ(matched(texts_, kind + 3, entry), entry) << l.code;
        }
    }
}

// Slots 0 to 2 are lower-cased on loading: the shipped files are already lower case, so what the
// program holds is exactly the file. Slots 3 to 5 are shipped scrambled.
TEST(StyleTablesScrambled, LoadedSlotsAreThePlainFilesAndTheUnscrambledSources) {
    const StyleTexts texts = loadStyleTexts(kDataDir);
    const std::string plain[] = {kDataDir + "/polygons_.txt", kDataDir + "/polylines_.txt",
                                 kDataDir + "/pois_.txt",     kPlainSources + "/s290.txt",
                                 kPlainSources + "/e305.txt", kPlainSources + "/i84.txt"};
    for (std::size_t slot = 0; slot < 6; ++slot) {
        const std::string expected = readFile(plain[slot]).value_or("");
        ASSERT_FALSE(expected.empty()) << plain[slot];
        EXPECT_EQ(texts[slot], expected) << plain[slot];
    }
    for (const char* name : {"s290", "e305", "i84"})
        EXPECT_FALSE(readFile(kDataDir + "/" + name).value_or("0x").starts_with("0x")) << name;
}

} // namespace
} // namespace kestrel
