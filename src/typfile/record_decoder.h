#pragma once
// Decodes one element record (the layouts are written in record_encoder.h) from a cursor that ends
// where the record must end: the next record, or the end of its section. A record that runs past
// that end, or holds what no record can, comes back as the problem instead of an element.
#include <cstdint>
#include <optional>
#include <variant>

#include "base/byte_reader.h"
#include "typfile/binary_reader.h"
#include "typfile/elements.h"
#include "typfile/label_block.h"

namespace kestrel::typ {

template <typename T> using Decoded = std::variant<T, ReadProblem>;

class RecordDecoder {
  public:
    explicit RecordDecoder(std::uint16_t codePage) : codePage_(codePage) {}

    Decoded<Polygon> polygon(ElementCode code, ByteCursor& c);
    Decoded<Line> line(ElementCode code, ByteCursor& c);
    Decoded<Point> point(ElementCode code, ByteCursor& c);
    Decoded<IconSet> iconSet(ElementCode code, ByteCursor& c);

    // Labels met so far held bytes the code page does not define.
    bool inexactLabels() const { return labels_.inexact; }

  private:
    std::optional<ReadProblem> labelling(bool labels, bool font, ByteCursor& c, Labelling& out);

    std::uint16_t codePage_;
    LabelReading labels_;
};

} // namespace kestrel::typ
