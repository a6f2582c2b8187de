#pragma once
// Whole-file reading and writing. Writers never leave a half-written file under the target name:
// they write beside it and rename the new file over the old one when it is complete.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrel {

// The whole file as bytes, or nothing when it does not exist or cannot be read. Only regular
// files are read, and none larger than `limit` bytes.
std::optional<std::string> readFile(const std::string& path, std::uint64_t limit = std::uint64_t(1)
                                                                                   << 31);
// The first `n` bytes of a regular file (fewer when it is shorter), or nothing when it does not
// exist, cannot be read or is no regular file.
std::optional<std::string> readFileHead(const std::string& path, std::size_t n);
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

// Size of a file in bytes, or nothing when it does not exist.
std::optional<std::uint64_t> fileSize(const std::string& path);
bool removeFile(const std::string& path);

} // namespace kestrel
