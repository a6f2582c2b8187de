// The drive test on Windows, where a volume is a drive letter.
#include "base/drives.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

using namespace kestrel;

TEST(DriveLetters, MissingLettersFailAndNameTheLabel) {
    const test::TempDir dir;
    struct Case {
        std::string path;
        DriveState state;
        bool passes;
        std::vector<std::string> messages;
    };
    // A private Wine prefix, like a plain Windows machine, has no drive Q:.
    const Case cases[] = {
        {dir.file("a.img"), DriveState::Ready, true, {}},
        {"C:\\", DriveState::Ready, true, {}},
        {"Q:\\maps\\a.img", DriveState::Missing, false, {"Drive does not exist Q:\\maps\\a.img"}},
        {"q:/a.img", DriveState::Missing, false, {"Drive does not exist q:/a.img"}},
    };
    for (const Case& c : cases) {
        test::FakeUi ui;
        EXPECT_EQ(chkdrive(c.path), c.state) << c.path;
        EXPECT_EQ(drivetest(c.path, c.path, ui), c.passes) << c.path;
        EXPECT_EQ(ui.messages, c.messages) << c.path;
    }
}
