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

using Arrange = std::function<void(CreateRun&)>;

const std::pair<const char*, Arrange> kRows[] = {
    {"defaults", [](CreateRun&) {}},
    {"no kind",
     [](CreateRun& r) {
         r.in.style.kinds = {false, false, false};
     }},
    {"lines only",
     [](CreateRun& r) {
         r.in.style.kinds = {false, true, false};
     }},
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

// Product codes and family ids as the map's fields give them.
const char* const kProducts[] = {"2.5", "3.5", "abc", "12x"};
const char* const kFids[] = {"1", "65000", " 12abc ", "01212", "0", "65001", "abc", "", "-4"};

TEST(Createtxt, RunsAreTheGoldenFile) {
    std::vector<std::pair<std::string, Arrange>> rows(std::begin(kRows), std::end(kRows));
    for (const char* p : kProducts)
        rows.emplace_back(concat({"product '", p, "'"}),
                          [p](CreateRun& r) { r.in.map.fields.productCode = p; });
    for (const char* f : kFids)
        rows.emplace_back(concat({"fid '", f, "'"}),
                          [f](CreateRun& r) { r.in.map.fields.fid = f; });
    std::string all;
    for (const auto& [name, setup] : rows) {
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
