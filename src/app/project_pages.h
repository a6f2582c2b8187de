#pragma once
// The project's web pages that the Help menu and the About window open.
#include <array>
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kProjectPage = "http://www.kestrel-maps.org/";

struct HelpPage {
    std::string_view caption;
    std::string_view url;
};

// Help items 0, 1, 2 and 4 (item 3 is a separator).
inline constexpr std::array<HelpPage, 4> kHelpPages{{
    {"Youtube Tutorial", "http://www.kestrel-maps.org/tutorial.html"},
    {"Manual", "http://www.kestrel-maps.org/manual.html"},
    {"Administrator Problems", "http://www.kestrel-maps.org/administrator.html"},
    {"What's New", "http://www.kestrel-maps.org/whatsnew.html"},
}};

} // namespace kestrel
