#include "base/paths.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "base/platform/platform.h"
#include "base/text.h"

namespace fs = std::filesystem;

namespace kestrel {
namespace {

bool isSep(char c) {
    return c == '/' || c == '\\';
}

std::size_t lastSep(std::string_view p) {
    return p.find_last_of("/\\");
}

} // namespace

std::string normalisePath(std::string_view path) {
    std::string r(path);
    for (char& c : r)
        if (isSep(c)) c = kSep;
    return r;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string r(folder);
    if (!r.empty() && !isSep(r.back())) r.push_back(kSep);
    r.append(name);
    return normalisePath(r);
}

std::string fileName(std::string_view path) {
    const auto p = lastSep(path);
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string shortenedPath(std::string_view path, std::size_t maxChars) {
    // Where each character starts: UTF-8 continuation bytes are 10xxxxxx.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < path.size(); ++i)
        if ((static_cast<unsigned char>(path[i]) & 0xC0) != 0x80) starts.push_back(i);
    if (starts.size() <= maxChars || maxChars < 2) return std::string(path);
    const std::size_t head = maxChars / 3;
    const std::size_t tail = maxChars - head - 1;
    return concat(
        {path.substr(0, starts[head]), "\u2026", path.substr(starts[starts.size() - tail])});
}

std::string baseName(std::string_view path) {
    const std::string name = fileName(path);
    return name.substr(0, name.find('.'));
}

std::string folderOf(std::string_view path, std::string_view apppath) {
    const std::string last = fileName(path);
    if (last.empty() || contains(last, "*")) return std::string(apppath);
    const auto p = lastSep(path);
    if (p == std::string_view::npos) return std::string(apppath);
    return normalisePath(path.substr(0, p));
}

std::string pathPart(std::string_view path, int mode) {
    const std::string norm = normalisePath(path);
    const std::vector<std::string> parts = split(norm, std::string(1, kSep));
    std::string r;
    switch (mode) {
    case 0:
        r = parts.back();
        break;
    case 1:
        r = parts.back().substr(0, parts.back().find('.'));
        break;
    case 2:
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) r += parts[i] + kSep;
        break;
    case 3:
        r = parts.front() + kSep;
        break;
    case 222:
        for (const auto& c : parts)
            if (!c.empty() && !contains(c, ".")) r += c + kSep;
        break;
    default:
        break;
    }
    const std::string doubled(2, kSep);
    while (contains(r, doubled)) r = replaceAll(r, doubled, std::string(1, kSep));
    return r;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    const auto st = fs::status(platform::fsPath(path), ec);
    return !ec && fs::exists(st) && !fs::is_directory(st);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(platform::fsPath(path), ec);
}

bool chkdir(std::string_view path) {
    const fs::path p = platform::fsPath(normalisePath(path));
    // The root ("/", "C:\", a network share) is there or not; it is never made.
    fs::path folder = p.root_path();
    bool ok = true;
    for (const fs::path& part : p.relative_path()) {
        const std::string name = platform::utf8Path(part);
        if (contains(name, ".")) break;
        if (name.empty()) continue;
        folder /= part;
        std::error_code ec;
        if (fs::is_directory(folder, ec)) continue;
        fs::create_directory(folder, ec);
        if (ec) ok = false;
    }
    return ok;
}

bool makeFolders(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(platform::fsPath(folder), ec);
    return folderExists(folder);
}

bool folderWritable(const std::string& folder) {
    if (!folderExists(folder)) return false;
    const std::string probe = joinPath(folder, ".kestrel-write-test");
    {
        std::ofstream f(platform::fsPath(probe), std::ios::binary);
        if (!f) return false;
    }
    std::error_code ec;
    fs::remove(platform::fsPath(probe), ec);
    return true;
}

} // namespace kestrel
