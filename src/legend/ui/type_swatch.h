#pragma once
// The small swatch the type lists show beside a type that the last TYP written or opened styles.
#include <QIcon>
#include <cstdint>

#include "typfile/typ_file.h"

namespace kestrel::legend {

// `kind`: 0 polygons, 1 lines, 2 points (the lists' order); `code` as the lists hold it. A null
// icon when the TYP leaves the type unstyled.
QIcon typeSwatchIcon(const typ::TypFile& typ, int kind, std::uint32_t code);

} // namespace kestrel::legend
