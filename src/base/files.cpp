#include "base/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/platform/file_kind.h"
#include "base/text.h"

namespace fs = std::filesystem;

namespace kestrel {

std::optional<std::string> readFile(const std::string& path, std::uint64_t limit) {
    // Only a regular file: opening a FIFO would wait for a writer, and a device may never end.
    if (platform::fileKind(path).kind != platform::FileKind::Regular) return std::nullopt;
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > limit) return std::nullopt;
    f.seekg(0, std::ios::beg);
    std::string data(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !f.read(data.data(), size)) return std::nullopt;
    return data;
}

std::optional<std::string> readFileHead(const std::string& path, std::size_t n) {
    if (platform::fileKind(path).kind != platform::FileKind::Regular) return std::nullopt;
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    std::string head(n, '\0');
    f.read(head.data(), static_cast<std::streamsize>(n));
    head.resize(static_cast<std::size_t>(f.gcount()));
    return head;
}

std::string readTextIfPresent(const std::string& path) {
    return readFile(path).value_or("");
}

bool writeFileAtomic(const std::string& path, std::string_view bytes) {
    const std::string tmp = path + ".kestrel-new";
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) return false;
        const bool wrote =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        // No fsync: the rename already guarantees that a failed or interrupted write never
        // replaces the old file, and flushing to the disk would cost more than the write itself.
        const bool flushed = std::fflush(f) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!wrote || !flushed || !closed) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

bool saveText(const std::string& path, std::string_view text) {
    std::string s(text);
    s.append(kCrLf);
    return writeFileAtomic(path, s);
}

std::optional<std::uint64_t> fileSize(const std::string& path) {
    std::error_code ec;
    const auto n = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return static_cast<std::uint64_t>(n);
}

bool removeFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

} // namespace kestrel
