#pragma once
// The records of the elements, one encoder for each kind, as mkgmap writes them. The binary writer
// and the numbered generators both write their records here.
//
// Polygon: byte 0 holds the colour scheme in bits 0 to 3 (0x01 a night pair is stored, 0x02 the
// day background is transparent and left out, 0x04 the night background is, 0x08 a 32 x 32
// pattern follows), 0x10 a label block follows, 0x20 a font byte follows. Then the colours
// (day foreground, day background, night foreground, night background, each left out as the
// scheme says), the pattern (4 bytes a row, 1 = foreground), the labels, the font byte. Without a
// night pair mkgmap sets 0x04 whenever it sets 0x02.
//
// Line: byte 0 holds the scheme in bits 0 to 2 (as for polygons) and the pattern rows in bits 3
// to 7; byte 1 holds 0x01 labels follow, 0x02 the pattern keeps its direction (mkgmap sets it
// for UseOrientation=N), 0x04 a font byte follows. Then the colours, then the pattern, or for a
// plain line the line width and, unless the scheme is 6 or 7 (no border colour), the line width
// plus twice the border width. Then labels and font byte.
//
// Point: byte 0 holds 0x01 (an image follows, always set), 0x02 a night image follows, 0x04
// labels, 0x08 a font byte. Then width and height, the day image, the night image, labels, font.
// An image is its colour count, its colour mode, the palette and the pixels: see pictures.h and
// image_codec.h.
//
// Icon set: the icon count, then for each icon: a 16-bit size word (half the icon's size in bits,
// counting 44 bits of head), the byte 1, width, height and the image.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_image.h"
#include "typfile/elements.h"
#include "typfile/typ_part.h"

namespace kestrel::typ {

enum class WriteRefusal : std::uint8_t {
    FileTooLarge,     // the file would exceed kMaxFileSize
    LabelsTooLong,    // an element's labels take more than kMaxLabelBlock bytes
    CodeOutOfRange,   // a type above 0x7FF, or a subtype above 0x1F
    PatternMisshapen, // a polygon pattern not of 32 rows, a line pattern of 0 or more than 31
                      // rows, or pixels that do not fill the pattern
    ImageMisshapen,   // pixels that do not fill the image, or a night image of another size
    TooManyColours,   // an image palette of more than 255 colours
    TooManyIcons,     // an icon set of more than 255 icons
};

struct WriteError {
    WriteRefusal refusal = WriteRefusal::FileTooLarge;
    TypPart part = TypPart::Header;
    std::optional<ElementCode> code; // the element, when the error is about one
    std::uint64_t size = 0;          // FileTooLarge: the size it would have; LabelsTooLong: bytes
    bool operator==(const WriteError&) const = default;
};

// A label the header's code page cannot hold. mkgmap leaves the whole label out without a word;
// so does this writer, and says which.
struct DroppedLabel {
    TypPart part = TypPart::Points;
    ElementCode code;
    Label label;
    bool operator==(const DroppedLabel&) const = default;
};

class RecordEncoder {
  public:
    explicit RecordEncoder(std::uint16_t codePage) : codePage_(codePage) {}

    // Each appends one record to `out`. On an error `out` holds part of the record.
    std::optional<WriteError> polygon(const Polygon& p, ByteImage& out);
    std::optional<WriteError> line(const Line& l, TypPart part, ByteImage& out);
    std::optional<WriteError> point(const Point& p, ByteImage& out);
    std::optional<WriteError> iconSet(const IconSet& s, ByteImage& out);

    // Labels left out so far, in the order met.
    const std::vector<DroppedLabel>& droppedLabels() const { return dropped_; }

  private:
    // The label block (with labels) and the font byte (with a style or a label colour).
    std::optional<WriteError> labelling(const Labelling& l, TypPart part, ElementCode code,
                                        ByteImage& out);

    std::uint16_t codePage_;
    std::vector<DroppedLabel> dropped_;
};

// The code is one a file can hold (type up to 0x7FF, subtype up to 0x1F).
bool codeFits(ElementCode code);

// The colour scheme bits of these colours (see above; the pattern bit for polygons).
std::uint8_t colourScheme(const ColourPair& day, const std::optional<ColourPair>& night,
                          bool pattern);

} // namespace kestrel::typ
