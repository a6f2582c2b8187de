#include "mapread/map_buffer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace kestrel {
namespace {

// Work is split into chunks of this size between two yields to the user interface.
constexpr std::size_t kChunk = std::size_t(8) << 20;

constexpr std::string_view kPrefix = "GARMIN ";
constexpr std::size_t kSignatureLength = 10; // "GARMIN " + three letters

} // namespace

MapBuffer::~MapBuffer() {
    clear();
}

MapBuffer::MapBuffer(MapBuffer&& other) noexcept {
    *this = std::move(other);
}

MapBuffer& MapBuffer::operator=(MapBuffer&& other) noexcept {
    if (this == &other) return *this;
    clear();
    const bool ownsBytes = !other.mapping_ && other.size_ > 0;
    owned_ = std::move(other.owned_);
    mapping_ = std::exchange(other.mapping_, std::nullopt);
    size_ = std::exchange(other.size_, 0);
    key_ = std::exchange(other.key_, 0);
    data_ = ownsBytes ? reinterpret_cast<const std::uint8_t*>(owned_.data())
                      : std::exchange(other.data_, nullptr);
    other.data_ = nullptr;
    return *this;
}

void MapBuffer::clear() {
    mapping_.reset();
    data_ = nullptr;
    size_ = 0;
    key_ = 0;
    owned_.clear();
    owned_.shrink_to_fit();
}

MapBuffer MapBuffer::fromBytes(std::string bytes) {
    MapBuffer b;
    b.owned_ = std::move(bytes);
    b.data_ = reinterpret_cast<const std::uint8_t*>(b.owned_.data());
    b.size_ = b.owned_.size();
    return b;
}

bool MapBuffer::open(const std::string& path, UiPort& ui) {
    clear();
    mapping_ = platform::MappedFile::open(path);
    if (mapping_) {
        data_ = mapping_->data();
        size_ = mapping_->size();
        return true;
    }
    // Not mappable (a pipe, a special file, an empty file): read it in chunks.
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    if (!f) return false;
    std::string bytes;
    std::array<char, 1 << 16> block{};
    std::size_t sinceYield = 0;
    while (f) {
        f.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(f.gcount());
        bytes.append(block.data(), got);
        sinceYield += got;
        if (sinceYield >= kChunk) {
            sinceYield = 0;
            ui.yield();
        }
        if (got == 0) break;
    }
    if (f.bad()) return false;
    *this = fromBytes(std::move(bytes));
    return true;
}

std::int64_t MapBuffer::outsideRun(std::int64_t offset, std::int64_t limit) const {
    if (offset < 0) return std::min(-offset, limit);
    if (offset >= size()) return limit;
    return 0;
}

std::int64_t MapBuffer::zeroRun(std::int64_t offset, std::int64_t limit) const {
    std::int64_t n = 0;
    while (n < limit) {
        const std::int64_t out = outsideRun(offset + n, limit - n);
        if (out > 0) {
            n += out;
            continue;
        }
        // Inside the file: a zero byte is stored as the key.
        const auto* p = data_ + (offset + n);
        const auto* end = data_ + std::min<std::int64_t>(size(), offset + limit);
        const auto* q = p;
        while (q < end && *q == key_) ++q;
        n += q - p;
        if (q < end) break;
    }
    return std::min(n, limit);
}

MapBuffer::Signatures MapBuffer::findSignatures(UiPort& ui) const {
    Signatures s;
    if (size_ < kSignatureLength) return s;
    std::array<std::uint8_t, kSignatureLength> masked{};
    auto maskedSuffix = [&](std::string_view three) {
        std::array<std::uint8_t, 3> m{};
        for (std::size_t i = 0; i < 3; ++i) m[i] = static_cast<std::uint8_t>(three[i] ^ key_);
        return m;
    };
    for (std::size_t i = 0; i < kPrefix.size(); ++i)
        masked[i] = static_cast<std::uint8_t>(kPrefix[i] ^ key_);
    const auto rgn = maskedSuffix("RGN");
    const auto tre = maskedSuffix("TRE");
    const auto gmp = maskedSuffix("GMP");
    const std::size_t last = size_ - kSignatureLength; // last position a signature can start
    std::size_t pos = 0;
    while (pos <= last) {
        const std::size_t chunkEnd = std::min(last + 1, pos + kChunk);
        while (pos < chunkEnd) {
            const void* hit = std::memchr(data_ + pos, masked[0], chunkEnd - pos);
            if (!hit) {
                pos = chunkEnd;
                break;
            }
            const std::size_t p =
                static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data_);
            pos = p + 1;
            if (std::memcmp(data_ + p + 1, masked.data() + 1, kPrefix.size() - 1) != 0) continue;
            const std::uint8_t* suffix = data_ + p + kPrefix.size();
            auto is = [&](const std::array<std::uint8_t, 3>& m) {
                return std::memcmp(suffix, m.data(), 3) == 0;
            };
            const auto at = static_cast<std::int64_t>(p);
            if (s.rgn < 0 && is(rgn)) s.rgn = at;
            if (s.tre < 0 && is(tre)) s.tre = at;
            if (s.gmp < 0 && is(gmp)) s.gmp = at;
            if (s.rgn >= 0 && s.tre >= 0 && s.gmp >= 0) return s;
        }
        ui.yield();
    }
    return s;
}

bool MapBuffer::dumpUnmasked(const std::string& path, UiPort& ui) const {
    const std::string tmp = path + ".kestrel-new";
    std::FILE* f = platform::openFile(tmp, "wb");
    if (!f) return false;
    std::string block;
    bool ok = true;
    for (std::size_t pos = 0; ok && pos < size_; pos += block.size()) {
        const std::size_t n = std::min(kChunk, size_ - pos);
        block.assign(reinterpret_cast<const char*>(data_ + pos), n);
        for (char& c : block) c = static_cast<char>(c ^ key_);
        if (pos == 0) block[0] = 0;
        ok = std::fwrite(block.data(), 1, n, f) == n;
        ui.yield();
    }
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(platform::fsPath(tmp), platform::fsPath(path), ec);
    if (!ok || ec) {
        std::filesystem::remove(platform::fsPath(tmp), ec);
        return false;
    }
    return true;
}

} // namespace kestrel
