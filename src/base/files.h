#pragma once
// Whole-file reading and writing. Writers never leave a half-written file under the target name:
// they write beside it and rename the new file over the old one when it is complete.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The whole file as bytes, or nothing when it does not exist or cannot be read. Only regular
// files are read, and none larger than `limit` bytes.
std::optional<std::string> readFile(const std::string& path, std::uint64_t limit = std::uint64_t(1)
                                                                                   << 31);
// "read-text-if-present": the whole text, or empty.
std::string readTextIfPresent(const std::string& path);

// Replaces the file's content with the bytes, atomically. Returns false when it failed; the old
// file is then untouched.
bool writeFileAtomic(const std::string& path, std::string_view bytes);
inline bool writeFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes) {
    return writeFileAtomic(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// `Savetext`: the text followed by CR LF, atomically.
bool saveText(const std::string& path, std::string_view text);

// One entry of a folder listing.
struct FolderEntry {
    std::string name; // UTF-8, like every path in the program
    bool folder = false;
    bool regularFile = false;
};
// The entries of the folder in the order the system lists them; empty when it cannot be read.
// Entries whose kind cannot be told are left out.
std::vector<FolderEntry> folderEntries(const std::string& folder);

// Size of a file in bytes, or nothing when it does not exist.
std::optional<std::uint64_t> fileSize(const std::string& path);
bool removeFile(const std::string& path);

} // namespace kestrel
