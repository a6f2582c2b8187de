#include "base/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

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

std::optional<std::string> readFileHead(const std::string& path, std::size_t n) {
    const platform::FileCheck check = platform::fileKind(path);
    if (check.kind != platform::FileKind::Regular) return std::nullopt;
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    if (!f) return std::nullopt;
    // Room for what the file holds only: a megabyte's room, every page of it cleared, cost a short
    // command milliseconds. A file grown since it was checked gives the bytes it had then.
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(n, check.size)), '\0');
    f.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(f.gcount()));
    return head;
}

std::string readTextIfPresent(const std::string& path) {
    return readFile(path).value_or("");
}

namespace {

// The file a path ends at: links followed, so that a link's target is replaced and the link stays
// (a link to a missing file names the file to make).
fs::path finalTarget(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) break;
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

// The system's text for the error errno holds (a stream that failed without saying why: EIO).
WriteFailure systemFailure() {
    return {WriteFailure::Kind::System, std::generic_category().message(errno != 0 ? errno : EIO)};
}

// Every byte XORed with the key, eight at a time where it can.
void xorBytes(char* p, std::size_t n, std::uint8_t key) {
    const std::uint64_t wide = 0x0101010101010101ull * key;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t v;
        std::memcpy(&v, p + i, 8);
        v ^= wide;
        std::memcpy(p + i, &v, 8);
    }
    for (; i < n; ++i) p[i] = static_cast<char>(static_cast<std::uint8_t>(p[i]) ^ key);
}

} // namespace

std::optional<WriteFailure> checkReplaceable(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(platform::fsPath(path), ec);
    if (st.type() == fs::file_type::not_found || fs::is_regular_file(st)) return std::nullopt;
    if (fs::is_directory(st)) return WriteFailure{WriteFailure::Kind::Directory, {}};
    if (ec) return WriteFailure{WriteFailure::Kind::System, ec.message()};
    return WriteFailure{WriteFailure::Kind::NotRegularFile, {}};
}

bool FileSink::failed() {
    if (!failure_) failure_ = systemFailure();
    return false;
}

bool FileSink::write(std::string_view bytes) {
    errno = 0;
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() ||
           failed();
}

bool FileSink::zeros(std::uint64_t n) {
    static constexpr char kZeros[4096] = {};
    for (; n > 0; n -= n < sizeof kZeros ? n : sizeof kZeros)
        if (!write({kZeros, n < sizeof kZeros ? static_cast<std::size_t>(n) : sizeof kZeros}))
            return false;
    return true;
}

bool FileSink::copy(std::FILE* from, std::uint64_t at, std::uint64_t n, std::uint8_t key) {
    errno = 0;
    if (key == 0)
        return (std::fflush(file_) == 0 && platform::appendFileBytes(from, at, n, file_)) ||
               failed();
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    std::vector<char> chunk(n < kChunk ? static_cast<std::size_t>(n) : kChunk);
    while (n > 0) {
        const std::size_t want = n < chunk.size() ? static_cast<std::size_t>(n) : chunk.size();
        if (platform::readFileAt(from, at, chunk.data(), want) != want) {
            if (errno == 0) errno = EIO;
            return failed();
        }
        xorBytes(chunk.data(), want, key);
        if (!write({chunk.data(), want})) return false;
        at += want;
        n -= want;
    }
    return true;
}

std::optional<WriteFailure> replaceFileWith(const std::string& path,
                                            const std::function<bool(FileSink&)>& fill) {
    if (auto refused = checkReplaceable(path)) return refused;
    const fs::path target = finalTarget(platform::fsPath(path));
    fs::path tmp = target;
    tmp += ".kestrel-new";
    errno = 0;
    std::FILE* f = platform::openFile(platform::utf8Path(tmp), "wb");
    if (!f) return systemFailure();
    std::error_code ec;
    // A replaced file keeps its owner, group and permissions, from before its new content is
    // written (the owner first: a change of owner clears the set-ID bits).
    const fs::file_status old = fs::status(target, ec);
    if (fs::is_regular_file(old)) {
        platform::takeOwner(f, target);
        fs::permissions(tmp, old.permissions(), ec);
    }
    FileSink sink(f);
    std::optional<WriteFailure> failed;
    if (!fill(sink))
        failed = sink.failure().value_or(WriteFailure{WriteFailure::Kind::Abandoned, {}});
    // No fsync: the rename already guarantees that a failed or interrupted write never replaces
    // the old file, and flushing to the disk would cost more than the write itself.
    if (std::fflush(f) != 0 && !failed) failed = systemFailure();
    if (std::fclose(f) != 0 && !failed) failed = systemFailure();
    if (!failed) {
        fs::rename(tmp, target, ec);
        if (!ec) return std::nullopt;
    }
    if (!failed) failed = WriteFailure{WriteFailure::Kind::System, ec.message()};
    fs::remove(tmp, ec);
    return failed;
}

std::optional<WriteFailure> replaceFile(const std::string& path, std::string_view bytes) {
    return replaceFileWith(path, [&](FileSink& sink) { return sink.write(bytes); });
}

bool saveText(const std::string& path, std::string_view text) {
    std::string s(text);
    s.append(kCrLf);
    return !replaceFile(path, s);
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

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(platform::fsPath(a), platform::fsPath(b), ec) && !ec;
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
