#include "typfile/xpm_text.h"

#include <algorithm>
#include <vector>

namespace kestrel::typ {

namespace {

// Colour tags of images: one character while the colours fit, else two (or more).
constexpr std::string_view kTagCharacters =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

class Tags {
  public:
    explicit Tags(std::size_t colours) {
        for (std::size_t fits = kTagCharacters.size(); fits < colours;
             fits *= kTagCharacters.size())
            ++width_;
    }
    unsigned width() const { return width_; }
    void write(TextSink& out, std::size_t index) const {
        char tag[8];
        for (unsigned k = width_; k-- > 0;) {
            tag[k] = kTagCharacters[index % kTagCharacters.size()];
            index /= kTagCharacters.size();
        }
        out << std::string_view(tag, width_);
    }

  private:
    unsigned width_ = 1;
};

void header(TextSink& out, std::string_view key, unsigned width, unsigned height,
            std::size_t colours, unsigned tagWidth) {
    out << key << "=\"";
    out.number(width) << ' ';
    out.number(height) << ' ';
    out.number(static_cast<std::uint32_t>(colours)) << ' ';
    out.number(tagWidth) << '"';
    out.endLine();
}

void colourLine(TextSink& out, std::string_view tag, const std::optional<Rgb>& c) {
    out << '"' << tag << " c ";
    if (c)
        out.colour(*c);
    else
        out << "none";
    out << '"';
    out.endLine();
}

bool partlyTransparent(const Rgba& c) {
    return c.alpha != kOpaque && c.alpha != kTransparent;
}

// The transparency of a palette colour, after its quotes.
void alphaSuffix(TextSink& out, const Rgba& c) {
    if (c.alpha != kOpaque) (out << " alpha=").number(c.alpha & 15);
}

void paletteImage(TextSink& out, std::string_view key, const Image& image) {
    const std::vector<Rgba>& palette = image.palette;
    const bool oneTransparent = image.mode == ColourMode::OneTransparent;
    const std::size_t colours = palette.size() + (oneTransparent ? 1 : 0);
    if (image.mode == ColourMode::Alpha) {
        const bool partly = std::any_of(palette.begin(), palette.end(), partlyTransparent);
        const bool allTransparent = std::all_of(
            palette.begin(), palette.end(), [](const Rgba& c) { return c.alpha == kTransparent; });
        if (!partly && !allTransparent) out.note(TextLoss::ColourMode);
    }
    const Tags tags(colours);
    header(out, key, image.width, image.height, colours, tags.width());
    for (std::size_t k = 0; k < palette.size(); ++k) {
        out << '"';
        tags.write(out, k);
        out << " c ";
        out.colour(palette[k].rgb) << '"';
        if (image.mode == ColourMode::Alpha) alphaSuffix(out, palette[k]);
        out.endLine();
    }
    if (oneTransparent) {
        out << '"';
        tags.write(out, palette.size());
        out << " c none\"";
        out.endLine();
    }
    const std::vector<std::uint8_t>& px = image.indices;
    for (std::size_t y = 0; y < image.height; ++y) {
        out << '"';
        for (std::size_t x = 0; x < image.width; ++x) {
            const std::size_t at = y * image.width + x;
            std::size_t index = at < px.size() ? px[at] : 0;
            if (index >= colours) {
                out.note(TextLoss::PixelOutsidePalette);
                index = 0;
            }
            tags.write(out, index);
        }
        out << '"';
        out.endLine();
    }
}

// Whether mkgmap would store these pixels in the image's mode.
bool trueColourModeKept(const Image& image) {
    const std::vector<Rgba>& px = image.trueColourPixels;
    switch (image.mode) {
    case ColourMode::Opaque:
        return true;
    case ColourMode::OneTransparent: {
        // One colour stands for every transparent pixel: that of the first.
        const auto first =
            std::find_if(px.begin(), px.end(), [](const Rgba& c) { return c.alpha != kOpaque; });
        return first != px.end() && std::all_of(first, px.end(), [&](const Rgba& c) {
                   return c.alpha == kOpaque || c.rgb == first->rgb;
               });
    }
    case ColourMode::Alpha:
        return std::any_of(px.begin(), px.end(), partlyTransparent);
    }
    return false;
}

void trueColourImage(TextSink& out, std::string_view key, const Image& image) {
    if (!trueColourModeKept(image)) out.note(TextLoss::ColourMode);
    header(out, key, image.width, image.height, 0, 0);
    const std::vector<Rgba>& px = image.trueColourPixels;
    for (std::size_t y = 0; y < image.height; ++y) {
        out << '"';
        for (std::size_t x = 0; x < image.width; ++x) {
            const std::size_t at = y * image.width + x;
            const Rgba c = at < px.size() ? px[at] : Rgba{};
            out.colour(c.rgb);
            if (image.mode == ColourMode::Opaque || c.alpha == kOpaque) continue;
            const bool transparent = image.mode == ColourMode::OneTransparent;
            out.hex(transparent ? 0 : opacityFromAlpha(c.alpha), 2);
        }
        out << '"';
        out.endLine();
    }
}

} // namespace

void writePlainColours(TextSink& out, std::span<const std::optional<Rgb>> colours) {
    header(out, "Xpm", 0, 0, colours.size(), 0);
    char tag = '1';
    for (const std::optional<Rgb>& c : colours) {
        colourLine(out, std::string_view(&tag, 1), c);
        ++tag;
    }
}

void writePattern(TextSink& out, const ColourPair& day, const std::optional<ColourPair>& night,
                  const Pattern& pattern, std::uint8_t rows) {
    const std::size_t pixels = std::size_t{kPatternWidth} * rows;
    if (pattern.rows != rows || pattern.pixels.size() != pixels) out.note(TextLoss::PatternShape);
    header(out, "Xpm", kPatternWidth, rows, night ? 4 : 2, 1);
    colourLine(out, "#", day.foreground);
    colourLine(out, ".", day.background);
    if (night) {
        colourLine(out, "@", night->foreground);
        colourLine(out, "+", night->background);
    }
    for (std::size_t at = 0; at < pixels; at += kPatternWidth) {
        out << '"';
        for (std::size_t x = at; x < at + kPatternWidth; ++x)
            out << (x < pattern.pixels.size() && pattern.pixels[x] ? '#' : '.');
        out << '"';
        out.endLine();
    }
}

void writeImage(TextSink& out, std::string_view key, const Image& image) {
    const std::size_t pixels =
        image.trueColour() ? image.trueColourPixels.size() : image.indices.size();
    // A picture of no pixels: kestrel's compile refuses it, mkgmap's fails on it.
    if (pixels != std::size_t{image.width} * image.height || pixels == 0)
        out.note(TextLoss::ImageShape);
    if (image.trueColour())
        trueColourImage(out, key, image);
    else
        paletteImage(out, key, image);
}

} // namespace kestrel::typ
