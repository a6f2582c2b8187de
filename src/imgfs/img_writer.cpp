#include "imgfs/img_writer.h"

#include <algorithm>

#include "imgfs/img_geometry.h"
#include "imgfs/img_layout.h"

namespace kestrel::img {
namespace {

// The most blocks a file may have: numbers 0 to 0xFFFE (0xFFFF ends a list), and the header's
// count + 1 still fits in 16 bits.
constexpr std::int64_t kMaxBlocks = 0xFFFE;
// The directory may start this far into the file at most; writers put it at 0x200 or 0x400.
constexpr std::int64_t kMaxDirectoryStart = 0x10000;
// Progress is shown, and a stop request heard, after copies of this size.
constexpr std::int64_t kCopyStep = std::int64_t(64) << 20;

std::int64_t blocksOf(std::int64_t bytes, std::int64_t blockSize) {
    return (bytes + blockSize - 1) / blockSize;
}

// Entries a subfile of that size takes: one per 240 blocks, and one when it has none.
std::int64_t entriesOf(std::int64_t bytes, std::int64_t blockSize) {
    return std::max<std::int64_t>(1, blocksOf(blocksOf(bytes, blockSize), kBlocksPerEntry));
}

void put(std::string& s, std::int64_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(at + i)] = static_cast<char>(v >> 8 * i);
}

// The text cut or padded with blanks to n bytes, as names and types are stored.
std::string fixed(const std::string& text, int n) {
    std::string s = text.substr(0, static_cast<std::size_t>(n));
    s.resize(static_cast<std::size_t>(n), ' ');
    return s;
}

// Appends the entries of one subfile: its parts, numbered in one byte as mkgmap numbers them,
// listing the blocks from `first` on.
void appendEntries(std::string& head, const std::string& name, const std::string& type,
                   std::int64_t size, std::int64_t first, std::int64_t blockSize) {
    const std::int64_t blocks = blocksOf(size, blockSize);
    const std::int64_t parts = entriesOf(size, blockSize);
    for (std::int64_t part = 0; part < parts; ++part) {
        std::string e(static_cast<std::size_t>(kEntryBytes), '\0');
        e[kEntryFlag] = 1;
        e.replace(kEntryName, kNameBytes, fixed(name, kNameBytes));
        e.replace(kEntryType, kTypeBytes, fixed(type, kTypeBytes));
        put(e, kEntryFileSize, part == 0 ? static_cast<std::uint32_t>(size) : 0, 4);
        put(e, kEntryPartByte, static_cast<std::uint32_t>(part & 0xFF), 1);
        for (int i = 0; i < kBlocksPerEntry; ++i) {
            const std::int64_t n = part * kBlocksPerEntry + i;
            put(e, kEntryBlocks + 2 * i,
                n < blocks ? static_cast<std::uint32_t>(first + n) : kNoBlock, 2);
        }
        head += e;
    }
}

} // namespace

std::variant<ContainerLayout, LayoutFault>
planContainer(const MaskedBytes& old, const Directory& dir, const NewSubfile& added) {
    if (!dir.sound() || dir.headerEntry > kMaxDirectoryStart) return LayoutFault::Unsound;
    ContainerLayout layout;
    for (const Subfile& s : dir.subfiles) {
        const bool same =
            s.name == fixed(added.name, kNameBytes) && s.type == fixed(added.type, kTypeBytes);
        layout.subfiles.push_back(same ? nullptr : &s);
        layout.replaced = layout.replaced || same;
    }
    if (!layout.replaced) layout.subfiles.push_back(nullptr);
    const auto sizeOf = [&](const Subfile* s) {
        return s ? s->size : static_cast<std::int64_t>(added.bytes.size());
    };
    for (int exponent = dir.blockExponent; exponent <= kMaxBlockExponent; ++exponent) {
        const std::int64_t bs = std::int64_t(1) << exponent;
        std::int64_t entries = 1, dataBlocks = 0;
        for (const Subfile* s : layout.subfiles) {
            entries += entriesOf(sizeOf(s), bs);
            dataBlocks += blocksOf(sizeOf(s), bs);
        }
        const std::int64_t dirBlocks = blocksOf(dir.headerEntry + entries * kEntryBytes, bs);
        if (dirBlocks > kBlocksPerEntry || dirBlocks + dataBlocks > kMaxBlocks) continue;
        layout.blockExponent = exponent;
        layout.blockSize = bs;
        layout.directoryEnd = dirBlocks * bs;
        layout.fileSize = static_cast<std::uint64_t>((dirBlocks + dataBlocks) * bs);
        // The header as it was, unmasked, with its block size and size fields made true.
        layout.head = old.text(0, kHeaderBytes);
        layout.head[kMask] = 0;
        layout.head[kBlockExponent2] = static_cast<char>(exponent - old.u8(kBlockExponent1));
        fitHeader(layout.head, static_cast<std::uint64_t>(dirBlocks + dataBlocks), exponent);
        layout.head.resize(static_cast<std::size_t>(dir.headerEntry), '\0');
        // The header's own entry: its flag, name and part bytes as they were, the new size and
        // blocks.
        std::string own = old.text(dir.headerEntry, kEntryBlocks);
        own.resize(static_cast<std::size_t>(kEntryBytes), '\xFF');
        put(own, kEntryFileSize, static_cast<std::uint32_t>(layout.directoryEnd), 4);
        for (std::int64_t b = 0; b < dirBlocks; ++b)
            put(own, kEntryBlocks + 2 * b, static_cast<std::uint32_t>(b), 2);
        layout.head += own;
        std::int64_t next = dirBlocks;
        for (const Subfile* s : layout.subfiles) {
            appendEntries(layout.head, s ? s->name : added.name, s ? s->type : added.type,
                          sizeOf(s), next, bs);
            next += blocksOf(sizeOf(s), bs);
        }
        return layout;
    }
    return LayoutFault::TooLarge;
}

bool writeContainer(const ContainerLayout& layout, const NewSubfile& added, std::FILE* oldFile,
                    std::uint8_t key, FileSink& sink, UiPort& ui) {
    const auto total = static_cast<float>(layout.fileSize);
    std::int64_t done = layout.directoryEnd;
    const auto step = [&](std::int64_t n) {
        done += n;
        ui.progress(100.0f * static_cast<float>(done) / total);
        return !ui.stopflag();
    };
    if (!sink.write(layout.head) ||
        !sink.zeros(static_cast<std::uint64_t>(layout.directoryEnd) - layout.head.size()))
        return false;
    for (const Subfile* s : layout.subfiles) {
        std::int64_t size = static_cast<std::int64_t>(added.bytes.size());
        if (!s) {
            if (!sink.write(added.bytes)) return false;
        } else {
            size = s->size;
            for (const ByteRun& run : s->runs)
                for (std::int64_t at = 0; at < run.length; at += kCopyStep) {
                    const std::int64_t n = std::min(kCopyStep, run.length - at);
                    if (!sink.copy(oldFile, static_cast<std::uint64_t>(run.offset + at),
                                   static_cast<std::uint64_t>(n), key) ||
                        !step(n))
                        return false;
                }
        }
        const std::int64_t padding = blocksOf(size, layout.blockSize) * layout.blockSize - size;
        if (!sink.zeros(static_cast<std::uint64_t>(padding))) return false;
    }
    return true;
}

} // namespace kestrel::img
