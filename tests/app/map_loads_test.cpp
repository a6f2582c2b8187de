#include "app/map_loads.h"

#include <gtest/gtest.h>

#include "support/fake_ui.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace kestrel;

// Maps named on the command line: those that cannot be read are named in one message, and only a
// map that was read joins the recent list.
TEST(NamedMaps, UnreadableOnesAreNamedInOneMessageAndStayOffTheRecentList) {
    test::TempDir dir;
    const std::string map = dir.write("Lakes.img", test::SyntheticMap().bytes());
    const std::string empty = dir.write("empty.img", "");
    const std::string text = dir.write("notes.img", "no map here");
    const std::string head = "These maps cannot be read:\r\n";
    struct Case {
        std::vector<std::string> paths;
        std::vector<std::string> messages;
        std::string recent;
    };
    for (const Case& c :
         std::vector<Case>{{{dir.file("gone.img"), dir.path(), empty, map},
                            {head + dir.file("gone.img") + ": no such file\r\n" + dir.path() +
                             ": is a directory\r\n" + empty + ": no Garmin map data in it"},
                            map},
                           // The list alone names a file without map data, after a map or not.
                           {{text}, {head + text + ": no Garmin map data in it"}, ""},
                           {{map, text}, {head + text + ": no Garmin map data in it"}, map},
                           {{map}, {}, map}}) {
        Session session;
        test::FakeUi ui;
        openNamedMaps(session, ui, c.paths);
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(session.settings.recent[0], c.recent);
    }
}
