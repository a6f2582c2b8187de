#include "mapread/map_buffer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "mapread/messages.h"

namespace kestrel {
namespace {

// Work is split into chunks of this size between two yields to the user interface.
constexpr std::size_t kChunk = std::size_t(8) << 20;

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

std::optional<Unreadable> MapBuffer::open(const std::string& path) {
    clear();
    if (auto why = checkMapFile(path)) return why;
    mapping_ = platform::MappedFile::open(path);
    if (!mapping_) return Unreadable{UnreadableReason::SystemError, std::string(msg::kNotMappable)};
    data_ = mapping_->data();
    size_ = mapping_->size();
    return std::nullopt;
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

Signatures MapBuffer::findSignatures(UiPort& ui) const {
    SignatureSearch search(key_);
    const std::span<const std::uint8_t> bytes(data_, size_);
    for (std::size_t pos = 0; pos < size_ && !search.found().complete(); pos += kChunk) {
        const std::size_t end = std::min(size_, pos + kChunk);
        search.scan(bytes, pos, end);
        // The later steps read few of these pages again: they come back from the file's cache
        // when touched, so a big file does not stay resident as a whole.
        if (mapping_) mapping_->forget(pos, end - pos);
        ui.yield();
    }
    return search.found();
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
