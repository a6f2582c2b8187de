#include "app/recent_list.h"

#include <gtest/gtest.h>

using namespace kestrel;

using Items = std::array<std::string, 7>;

TEST(RecentList, MatchMovesToTopAndShiftsThoseAbove) {
    Items items{"a", "b", "c", "d", "e", "f", "g"};
    updatmf(items, "c"); // item 12
    EXPECT_EQ(items, (Items{"c", "a", "b", "d", "e", "f", "g"}));
}

TEST(RecentList, NewNameDropsTheLastItem) {
    Items items{"a", "b", "c", "d", "e", "f", "g"};
    updatmf(items, "n");
    EXPECT_EQ(items, (Items{"n", "a", "b", "c", "d", "e", "f"}));
}

TEST(RecentList, TopItemStaysAndComparisonIsExact) {
    Items items{"a", "", "", "", "", "", ""};
    updatmf(items, "a");
    EXPECT_EQ(items[0], "a");
    updatmf(items, "A");
    EXPECT_EQ(items, (Items{"A", "a", "", "", "", "", ""}));
}
