#include "maptyp/mps_products.h"

#include <algorithm>

namespace kestrel::maptyp {
namespace {

constexpr char kMapRecord = 'L';
constexpr char kProductRecord = 'F';
constexpr std::size_t kRecordHead = 3; // kind, u16 length
constexpr std::size_t kProduct = 0;    // 0-1 of the content, u16
constexpr std::size_t kFamilyId = 2;   // 2-3 of the content, u16

std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

} // namespace

void addProduct(std::vector<MapProduct>& to, MapProduct product) {
    if (std::find(to.begin(), to.end(), product) == to.end()) to.push_back(product);
}

std::vector<MapProduct> mpsProducts(std::string_view mps) {
    std::vector<MapProduct> products, tiles;
    for (std::size_t at = 0; at + kRecordHead <= mps.size();) {
        const std::size_t length = u16(mps, at + 1);
        if (length > mps.size() - at - kRecordHead) break;
        const std::string_view content = mps.substr(at + kRecordHead, length);
        if (content.size() >= kFamilyId + 2) {
            const MapProduct p{u16(content, kFamilyId), u16(content, kProduct)};
            if (mps[at] == kProductRecord) addProduct(products, p);
            if (mps[at] == kMapRecord) addProduct(tiles, p);
        }
        at += kRecordHead + length;
    }
    return products.empty() ? tiles : products;
}

} // namespace kestrel::maptyp
