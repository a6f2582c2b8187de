// `createtxt` on a table of fields, options and file situations; each row's status, messages,
// launches and written file are compared with typtext/createtxt.txt.
#include "typtext/createtxt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/files.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/golden_file.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

struct CreateRun {
    test::TempDir dir;
    test::WriterInputs in =
        test::writerInputs({"0x1300 Urban (d2)", "0x4B00"}, {"0x0600 "}, {"0x11401 "});
    CodePage codepage;
    std::string typfile = dir.file("out.txt");
    std::string tinkerPath;
    bool txtdone = false;
    bool editorIcon = false;
    std::function<bool(std::string&)> window;
    test::FakeUi ui;
    test::FakeLauncher launcher;
    std::mt19937 rng{5};

    // What the run did and left in the file, with the folder written as {dir}.
    std::string create() {
        const TypTextTarget target{typfile, txtdone, tinkerPath, "/nowhere", editorIcon};
        const CreateTxtResult r =
            createtxt(in.context(ui), codepage, target, launcher, rng, window);
        std::string starts;
        for (const auto& s : launcher.started)
            starts += concat({s.program, " ", join(s.args, " "), " in ", s.workdir, "|"});
        const std::string report =
            concat({"status ", std::to_string(static_cast<int>(r.status)), " txtdone ",
                    std::to_string(txtdone), " busy ", std::to_string(ui.busyOn),
                    "\r\nmessages: ", join(ui.messages, "|"),
                    "\r\nopened: ", join(launcher.opened, "|"), "\r\nstarted: ", starts,
                    "\r\nfile ", typfile, ":\r\n", readFile(typfile).value_or("<none>"), "\r\n"});
        // Windows joins path parts with a backslash; the golden file holds one form (its texts
        // have no backslash of their own).
        const std::string named = replaceAll(replaceAll(report, dir.path(), "{dir}"), "\\", "/");
        return replaceAll(named, KESTREL_MISSING_VOLUME, "{volume}");
    }
};

using Setup = std::function<void(CreateRun&)>;

Setup fid(const char* text) {
    return [text](CreateRun& r) { r.in.map.fields.fid = text; };
}
Setup product(const char* text) {
    return [text](CreateRun& r) { r.in.map.fields.productCode = text; };
}

const std::pair<const char*, Setup> kRows[] = {
    {"defaults", [](CreateRun&) {}},
    {"no kind",
     [](CreateRun& r) {
         r.in.style.kinds = {false, false, false};
     }},
    {"lines only",
     [](CreateRun& r) {
         r.in.style.kinds = {false, true, false};
     }},
    {"product 2.5", product("2.5")},
    {"product 3.5", product("3.5")},
    {"product abc", product("abc")},
    {"product 12x", product("12x")},
    {"fid 1", fid("1")},
    {"fid 65000", fid("65000")},
    {"fid ' 12abc '", fid(" 12abc ")},
    {"fid 01212", fid("01212")},
    {"fid 0", fid("0")},
    {"fid 65001", fid("65001")},
    {"fid abc", fid("abc")},
    {"fid empty", fid("")},
    {"fid -4", fid("-4")},
    {"codepage 1249", [](CreateRun& r) { r.codepage = CodePage("1249"); }},
    {"codepage blank", [](CreateRun& r) { r.codepage = CodePage("  "); }},
    {"file name window cancelled",
     [](CreateRun& r) {
         r.dir.write("out.txt", "old text");
         r.window = [&r](std::string& name) {
             r.ui.message("asked for " + name);
             return false;
         };
     }},
    {"file name window chooses another file",
     [](CreateRun& r) {
         r.window = [&r](std::string& name) {
             name = r.dir.file("sub/dir/mine.txt");
             return true;
         };
     }},
    // A folder where the new file would go makes the rename fail; the old file stays.
    {"write fails",
     [](CreateRun& r) {
         r.dir.write("out.txt", "old text");
         std::filesystem::create_directory(r.dir.file("out.txt.kestrel-new"));
     }},
    {"removable volume missing",
     [](CreateRun& r) { r.typfile = KESTREL_MISSING_VOLUME "/out.txt"; }},
    {"existing file replaced whole",
     [](CreateRun& r) { r.dir.write("out.txt", std::string(100000, 'x')); }},
    {"editor icon shown", [](CreateRun& r) { r.editorIcon = true; }},
    {"editor configured", [](CreateRun& r) { r.tinkerPath = r.dir.write("tnk5.exe", "program"); }},
    {"editor missing", [](CreateRun& r) { r.tinkerPath = r.dir.file("gone.exe"); }},
};

TEST(Createtxt, RunsAreTheGoldenFile) {
    std::string all;
    for (const auto& [name, setup] : kRows) {
        CreateRun r;
        setup(r);
        all += concat({"== ", name, "\r\n", r.create()});
        EXPECT_LE(r.ui.yields, 10) << name << ": one cheap yield per block, none per byte";
    }
    EXPECT_FALSE(std::filesystem::exists(KESTREL_MISSING_VOLUME));
    test::expectGoldenFile("typtext/createtxt.txt", all);
}

} // namespace
} // namespace kestrel
