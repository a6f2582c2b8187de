#pragma once
// The TYP source text as it is built, in memory: lines ending in CR LF, grouped in chunks (the
// identification, the draw order, one chunk per element block) that each end with one more CR LF,
// so consecutive chunks are separated by an empty line. The whole text is written to disk once.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

class TypTextDocument {
  public:
    // A line made of the parts, and its CR LF.
    template <class... Parts> void line(const Parts&... parts) {
        (text_.append(std::string_view(parts)), ...);
        text_.append("\r\n");
    }
    // A line in double quotes (a bitmap row).
    void quoted(std::string_view s);
    // The bitmap header: Xpm="<header>".
    void xpm(std::string_view header);
    // A colour line "<pixel> c #<rrggbb>" in quotes.
    void colour(char pixel, std::string_view rrggbb);
    // The transparent colour line "<pixel> c none" in quotes.
    void transparent(char pixel);
    // The first line of an element block, counted per kind (polygons, lines, points: 0, 1, 2).
    void blockStart(int kind, std::string_view header) {
        ++blocks_[static_cast<std::size_t>(kind)];
        line(header);
    }
    std::size_t blocks(int kind) const { return blocks_[static_cast<std::size_t>(kind)]; }
    // Text that already ends in its own line ends (bitmap rows, icon files).
    void raw(std::string_view s);
    // The chunk terminator (`append_`): one more CR LF.
    void endChunk();

    const std::string& text() const { return text_; }
    void reserve(std::size_t n) { text_.reserve(n); }

  private:
    std::string text_;
    std::array<std::size_t, 3> blocks_{};
};

} // namespace kestrel
