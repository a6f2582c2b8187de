#include "xpm_fill/xpm_fill.h"

#include "base/text.h"

#include <sstream>

namespace kestrel {

namespace {

// The text between the first and the last double quote, or nothing when the line is not quoted.
std::optional<std::string> unquote(std::string_view line) {
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    if (first == std::string_view::npos || last == first) return std::nullopt;
    return std::string(line.substr(first + 1, last - first - 1));
}

std::optional<std::uint32_t> rgbValue(std::string_view hexDigits) {
    if (hexDigits.size() != 6) return std::nullopt;
    for (char ch : hexDigits)
        if (!isHexDigit(ch)) return std::nullopt;
    return static_cast<std::uint32_t>(hexValue(hexDigits));
}

XpmReadResult failed(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

const XpmColour* XpmFill::colour(char key) const {
    for (const XpmColour& c : colours)
        if (c.key == key) return &c;
    return nullptr;
}

XpmReadResult readXpmFill(std::string_view text) {
    std::vector<std::string> lines = split(text, "\n");
    for (std::string& l : lines)
        if (endsWith(l, "\r")) l.pop_back();
    while (!lines.empty() && lines.back().empty()) lines.pop_back();

    if (lines.empty() || !startsWith(lines[0], "Xpm=")) return failed("no Xpm header line");
    const std::optional<std::string> header = unquote(lines[0]);
    if (!header) return failed("Xpm header not quoted");
    std::istringstream numbers(*header);
    int width = -1, height = -1, count = -1, perPixel = -1;
    numbers >> width >> height >> count >> perPixel;
    if (numbers.fail() || !(numbers >> std::ws).eof())
        return failed("Xpm header is not four numbers: " + *header);
    if (perPixel != 1) return failed("only one character per pixel is read");
    if (width <= 0 || height <= 0 || count <= 0 || width > 256 || height > 256 || count > 64)
        return failed("Xpm header out of range: " + *header);
    if (lines.size() != static_cast<std::size_t>(1 + count + height))
        return failed("expected " + std::to_string(1 + count + height) + " lines, found " +
                      std::to_string(lines.size()));

    XpmFill fill;
    fill.width = width;
    fill.height = height;
    for (int i = 1; i <= count; ++i) {
        const std::optional<std::string> c = unquote(lines[static_cast<std::size_t>(i)]);
        if (!c || c->size() < 5 || c->substr(1, 3) != " c ")
            return failed("malformed colour line " + std::to_string(i));
        XpmColour colour;
        colour.key = (*c)[0];
        const std::string value = c->substr(4);
        if (value != "none") {
            if (value[0] != '#' || !(colour.rgb = rgbValue(value.substr(1))))
                return failed("malformed colour value: " + value);
        }
        if (colour.key == '"' || fill.colour(colour.key))
            return failed(std::string("colour key used twice or unusable: ") + colour.key);
        fill.colours.push_back(colour);
    }
    for (int r = 0; r < height; ++r) {
        const std::optional<std::string> row =
            unquote(lines[static_cast<std::size_t>(1 + count + r)]);
        if (!row || static_cast<int>(row->size()) != width)
            return failed("row " + std::to_string(r) + " is not " + std::to_string(width) +
                          " quoted pixels");
        for (char ch : *row)
            if (!fill.colour(ch))
                return failed("row " + std::to_string(r) + " uses a pixel without colour: " + ch);
        fill.rows.push_back(*row);
    }
    return {std::move(fill), {}};
}

} // namespace kestrel
