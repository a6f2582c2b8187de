#include "app/map_loads.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/text.h"
#include "support/fake_ui.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace kestrel;

// Maps named on the command line: those that cannot be read are named in one message (each path
// shortened to 40 characters), and only a map that was read joins the recent list.
TEST(NamedMaps, UnreadableOnesAreNamedInOneMessageAndStayOffTheRecentList) {
    test::TempDir dir;
    const std::string map = dir.write("Lakes.img", test::SyntheticMap().bytes());
    const std::string empty = dir.write("empty.img", "");
    const std::string text = dir.write("notes.img", "no map here");
    const auto line = [](const std::string& path, const std::string& why) {
        return "\r\n" + shortenedPath(path, 40) + ": " + why;
    };
    const std::string head = "These maps cannot be read:";
    const std::string noMap = "no Garmin map data in it";
    struct Case {
        std::vector<std::string> paths;
        std::vector<std::string> messages;
        std::string recent;
    };
    for (const Case& c :
         std::vector<Case>{{{dir.file("gone.img"), dir.path(), empty, map},
                            {head + line(dir.file("gone.img"), "no such file") +
                             line(dir.path(), "is a directory") + line(empty, noMap)},
                            map},
                           // The list alone names a file without map data, after a map or not.
                           {{text}, {head + line(text, noMap)}, ""},
                           {{map, text}, {head + line(text, noMap)}, map},
                           {{map}, {}, map}}) {
        Session session;
        test::FakeUi ui;
        openNamedMaps(session, ui, c.paths);
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(session.settings.recent[0], c.recent);
    }
}

// 60 long paths: the message names 15, shortened, and the details all of them in full.
TEST(NamedMaps, ALongListNamesTheFirstAndPutsAllIntoTheDetails) {
    test::TempDir dir;
    std::vector<std::string> paths;
    std::string all;
    for (int i = 0; i < 60; ++i) {
        paths.push_back(dir.file(std::string(100, 'd') + "/map" + std::to_string(i) + ".img"));
        all += (i ? "\r\n" : "") + paths.back() + ": no such file";
    }
    Session session;
    test::FakeUi ui;
    openNamedMaps(session, ui, paths);
    const std::vector<std::string> lines = split(ui.messages.at(0), "\r\n");
    ASSERT_EQ(lines.size(), 17u); // the head, 15 maps and how many more
    EXPECT_EQ(lines[1], paths[0].substr(0, 13) + "\u2026" + paths[0].substr(paths[0].size() - 26) +
                            ": no such file"); // 40 characters: the first 13 and the last 26
    EXPECT_EQ(lines[16], "and 45 more");
    EXPECT_EQ(ui.details, std::vector<std::string>{all});
}
