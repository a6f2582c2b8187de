#include "legend/ui/type_swatch.h"

#include <QPixmap>

#include "legend/swatch.h"

namespace kestrel::legend {

QIcon typeSwatchIcon(const typ::TypFile& typ, int kind, std::uint32_t code) {
    constexpr int kSide = 16;
    const auto png = typeSwatchPng(typ, static_cast<ObjectKind>(kind), code, kSide);
    if (!png) return {};
    QPixmap pixmap;
    pixmap.loadFromData(reinterpret_cast<const uchar*>(png->data()), static_cast<uint>(png->size()),
                        "PNG");
    return QIcon(pixmap);
}

} // namespace kestrel::legend
