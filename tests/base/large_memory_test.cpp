// Memory in large pages: big arrays and lists start on a large page's boundary, so that their
// pages are large ones from the start on; small lists take ordinary memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::test {
namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

bool onLargePage(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) % kLargePage == 0;
}

TEST(LargeMemory, BigArraysAndListsStartOnALargePage) {
    platform::LargeArray<std::uint32_t> array(3'000'000);
    ASSERT_NE(array.data(), nullptr);
    array[0] = 1, array[array.size() - 1] = 2;
    EXPECT_EQ(array[0] + array[array.size() - 1], 3u);
    EXPECT_TRUE(onLargePage(array.data()));

    // Reserved big, then grown past the room: the new room is a large one too, the entries kept.
    std::vector<std::uint64_t, platform::LargePageAllocator<std::uint64_t>> list;
    list.reserve(kLargePage / sizeof(std::uint64_t));
    EXPECT_TRUE(onLargePage(list.data()));
    for (std::uint64_t i = 0; i <= kLargePage / sizeof(std::uint64_t); ++i) list.push_back(i);
    EXPECT_TRUE(onLargePage(list.data()));
    EXPECT_EQ(list[12345], 12345u);
    EXPECT_EQ(list.back(), kLargePage / sizeof(std::uint64_t));
}

TEST(LargeMemory, SmallListsAndNothingAtAll) {
    std::vector<std::uint64_t, platform::LargePageAllocator<std::uint64_t>> list(100, 7);
    EXPECT_EQ(list[99], 7u);
    EXPECT_EQ(platform::allocateLarge(0, true), nullptr);
    platform::freeLarge(nullptr, 0);
}

} // namespace
} // namespace kestrel::test
