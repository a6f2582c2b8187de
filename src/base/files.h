#pragma once
// Whole-file reading and writing. Writers never leave a half-written file under the target name:
// they write beside it and rename the new file over the old one when it is complete.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
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
// The first `n` bytes of a regular file (fewer when it is shorter), or nothing when it does not
// exist, cannot be read or is no regular file.
std::optional<std::string> readFileHead(const std::string& path, std::size_t n);
// "read-text-if-present": the whole text, or empty.
std::string readTextIfPresent(const std::string& path);

// Why a file could not be written.
struct WriteFailure {
    enum class Kind {
        Directory,      // the path names a folder
        NotRegularFile, // a device, a FIFO, a socket: never replaced by a file
        System,         // the system refused; `systemText` says why
        Abandoned,      // the writer gave up (asked to stop, or its input failed it)
    };
    Kind kind = Kind::System;
    std::string systemText;
};
// Whether the path may be replaced by a file: nothing when it is a regular file or names none yet.
std::optional<WriteFailure> checkReplaceable(const std::string& path);
// Every output's way to disk: the bytes go to a new file beside the target, which is renamed over
// the target once complete. A failed write leaves the old file as it was and no new file behind.
// A replaced file keeps its owner and group (where the system lets us) and its permissions; a
// hard link is split (the other names keep the old content); through a symbolic link, the file
// it names is replaced and the link stays. Only regular files are replaced (see checkReplaceable).
std::optional<WriteFailure> replaceFile(const std::string& path, std::string_view bytes);

// The new file a streamed replaceFile writes, from the start on.
class FileSink {
  public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    bool write(std::string_view bytes);
    bool zeros(std::uint64_t n);
    // Appends n bytes of the open file `from`, from its byte `at` on, each XORed with `key`; with
    // key 0 inside the system where it can (see platform::appendFileBytes).
    bool copy(std::FILE* from, std::uint64_t at, std::uint64_t n, std::uint8_t key = 0);
    // Why a write or copy failed (the first failure), once one has.
    const std::optional<WriteFailure>& failure() const { return failure_; }

  private:
    bool failed();

    std::FILE* file_;
    std::optional<WriteFailure> failure_;
};
// replaceFile for files too large to hold in memory: `fill` writes the bytes; when it returns
// false, nothing is replaced and the sink's failure comes back (Abandoned when it has none).
std::optional<WriteFailure> replaceFileWith(const std::string& path,
                                            const std::function<bool(FileSink&)>& fill);

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

// Whether the two paths name the same existing file (through links, other spellings).
bool sameFile(const std::string& a, const std::string& b);
// Size of a file in bytes, or nothing when it does not exist.
std::optional<std::uint64_t> fileSize(const std::string& path);
bool removeFile(const std::string& path);

} // namespace kestrel
