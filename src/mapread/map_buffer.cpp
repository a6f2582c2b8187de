#include "mapread/map_buffer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "mapread/messages.h"
#include "mapread/split_search.h"

namespace kestrel {
namespace {

// Work is split into chunks of this size between two yields to the user interface.
constexpr std::size_t kChunk = std::size_t(8) << 20;
// A pass over the whole of a mapped file reads it in blocks of this size, as `cat` does, into
// memory that stays in the processor's cache: mapping in each page of a big file costs more than
// copying it from the system's file cache.
constexpr std::size_t kBlock = std::size_t(256) << 10;
// From this size on, the signature search of a file takes two threads (mapread/split_search.h):
// below it, starting the second costs about what it saves.
constexpr std::size_t kSplitFrom = std::size_t(16) << 20;

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
    const bool ownsBytes = other.size_ > 0 && other.data_ == reinterpret_cast<const std::uint8_t*>(
                                                                 other.owned_.data());
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

MapBuffer MapBuffer::view(std::span<const std::uint8_t> bytes) {
    MapBuffer b;
    b.data_ = bytes.data();
    b.size_ = bytes.size();
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

std::size_t MapBuffer::copyStored(std::int64_t offset, std::span<std::uint8_t> into) const {
    if (offset < 0 || offset >= size()) return 0;
    if (mapping_) return mapping_->copy(static_cast<std::size_t>(offset), into);
    const std::size_t n = std::min(into.size(), size_ - static_cast<std::size_t>(offset));
    std::copy_n(data_ + offset, n, into.data());
    return n;
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

void MapBuffer::eachBlock(UiPort& ui,
                          const std::function<bool(std::span<const std::uint8_t>)>& take) const {
    std::size_t pos = 0, yielded = 0;
    // Hands the bytes on; false when `take` wants no more.
    const auto hand = [&](std::span<const std::uint8_t> bytes) {
        const bool more = take(bytes);
        pos += bytes.size();
        if (!more || pos == size_ || pos - yielded >= kChunk) {
            ui.yield();
            yielded = pos;
        }
        return more;
    };
    if (mapping_ && size_ > kBlock) {
        std::vector<std::uint8_t> block(kBlock);
        for (std::size_t copied; (copied = mapping_->copy(pos, block)) > 0;)
            if (!hand({block.data(), copied})) return;
    }
    // Bytes in memory are taken as they are, and so is the rest of a file that can no longer be
    // read (it shrank, or the system failed): through the mapping, which reads it as 0.
    while (pos < size_) {
        const std::span<const std::uint8_t> bytes(data_ + pos, std::min(kChunk, size_ - pos));
        // The later steps read few of these pages again: they come back from the file's cache
        // when touched, so a big file does not stay resident as a whole.
        const bool more = hand(bytes);
        if (mapping_) mapping_->forget(pos - bytes.size(), bytes.size());
        if (!more) return;
    }
}

Signatures MapBuffer::findSignatures(UiPort& ui) const {
    if (mapping_ && size_ >= kSplitFrom && std::thread::hardware_concurrency() > 1)
        if (const auto found = findSignaturesSplit(*this, ui, kBlock)) return *found;
    SignatureSearch search(key_);
    eachBlock(ui, [&search](std::span<const std::uint8_t> bytes) {
        search.feed(bytes);
        return !search.found().complete();
    });
    return search.found();
}

bool MapBuffer::dumpUnmasked(const std::string& path, UiPort& ui) const {
    const std::string tmp = path + ".kestrel-new";
    std::FILE* f = platform::openFile(tmp, "wb");
    if (!f) return false;
    std::string block;
    bool ok = true;
    eachBlock(ui, [&](std::span<const std::uint8_t> bytes) {
        const bool first = block.empty();
        block.resize(bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            block[i] = static_cast<char>(bytes[i] ^ key_);
        if (first) block[0] = 0;
        ok = std::fwrite(block.data(), 1, block.size(), f) == block.size();
        return ok;
    });
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
