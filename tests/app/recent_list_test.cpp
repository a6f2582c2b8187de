#include "app/recent_list.h"

#include <gtest/gtest.h>

using namespace kestrel;

using Items = std::array<std::string, 7>;

TEST(RecentList, NameMovesToTheTopAndPushesTheOthersDown) {
    const struct {
        Items before;
        const char* name;
        Items after;
    } cases[] = {
        {{"a", "b", "c", "d", "e", "f", "g"}, "c", {"c", "a", "b", "d", "e", "f", "g"}},
        {{"a", "b", "c", "d", "e", "f", "g"}, "n", {"n", "a", "b", "c", "d", "e", "f"}},
        {{"a", "", "", "", "", "", ""}, "a", {"a", "", "", "", "", "", ""}},
        {{"a", "", "", "", "", "", ""}, "A", {"A", "a", "", "", "", "", ""}}, // exact comparison
    };
    for (const auto& c : cases) {
        Items items = c.before;
        updatmf(items, c.name);
        EXPECT_EQ(items, c.after) << c.name;
    }
}
