#include "base/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/platform/file_kind.h"
#include "base/platform/platform.h"
#include "base/text.h"

namespace fs = std::filesystem;

namespace kestrel {

std::optional<std::string> readFile(const std::string& path, std::uint64_t limit) {
    // Only a regular file: opening a FIFO would wait for a writer, and a device may never end.
    if (platform::fileKind(path).kind != platform::FileKind::Regular) return std::nullopt;
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    if (!f) return std::nullopt;
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > limit) return std::nullopt;
    f.seekg(0, std::ios::beg);
    std::string data(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !f.read(data.data(), size)) return std::nullopt;
    return data;
}

std::string readTextIfPresent(const std::string& path) {
    return readFile(path).value_or("");
}

bool writeFileAtomic(const std::string& path, std::string_view bytes) {
    const std::string tmp = path + ".kestrel-new";
    {
        std::FILE* f = platform::openFile(tmp, "wb");
        if (!f) return false;
        const bool wrote =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        // No fsync: the rename already guarantees that a failed or interrupted write never
        // replaces the old file, and flushing to the disk would cost more than the write itself.
        const bool flushed = std::fflush(f) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!wrote || !flushed || !closed) {
            removeFile(tmp);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(platform::fsPath(tmp), platform::fsPath(path), ec);
    if (ec) {
        removeFile(tmp);
        return false;
    }
    return true;
}

bool saveText(const std::string& path, std::string_view text) {
    std::string s(text);
    s.append(kCrLf);
    return writeFileAtomic(path, s);
}

std::vector<FolderEntry> folderEntries(const std::string& folder) {
    std::vector<FolderEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(platform::fsPath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        const fs::file_status st = it->status(typeEc);
        if (typeEc) continue;
        entries.push_back({platform::utf8Path(it->path().filename()), fs::is_directory(st),
                           fs::is_regular_file(st)});
    }
    return entries;
}

std::optional<std::uint64_t> fileSize(const std::string& path) {
    std::error_code ec;
    const auto n = fs::file_size(platform::fsPath(path), ec);
    if (ec) return std::nullopt;
    return static_cast<std::uint64_t>(n);
}

bool removeFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(platform::fsPath(path), ec) && !ec;
}

} // namespace kestrel
