#include "installed/wine_registry.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/files.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "installed/folder_listing.h"
#include "base/utf8.h"

namespace fs = std::filesystem;

namespace kestrel::installed {
namespace {

// Registry text is UTF-16 inside Wine; escapes give code units, which are written out as UTF-8.
class Utf8Builder {
  public:
    void raw(char c) {
        flushHigh();
        out_.push_back(c);
    }
    void unit(std::uint32_t u) {
        if (u >= 0xD800 && u <= 0xDBFF) {
            flushHigh();
            high_ = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF && high_) {
            put(0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00));
            high_ = 0;
            return;
        }
        flushHigh();
        put(u);
    }
    std::string take() {
        flushHigh();
        return std::move(out_);
    }

  private:
    void flushHigh() {
        if (high_) put(0xFFFD);
        high_ = 0;
    }
    void put(std::uint32_t cp) { appendUtf8(out_, cp); }
    std::string out_;
    std::uint32_t high_ = 0;
};

// Reads an escaped text starting at `at` up to the unescaped `end` character; `at` is left after
// it. Returns false when the line ends first.
bool unescape(std::string_view line, std::size_t& at, char end, std::string& out) {
    Utf8Builder b;
    while (at < line.size()) {
        const char c = line[at++];
        if (c == end) {
            out = b.take();
            return true;
        }
        if (c != '\\' || at >= line.size()) {
            b.raw(c);
            continue;
        }
        const char e = line[at++];
        switch (e) {
        case 'a':
            b.unit(7);
            break;
        case 'b':
            b.unit(8);
            break;
        case 'e':
            b.unit(27);
            break;
        case 'f':
            b.unit(12);
            break;
        case 'n':
            b.unit(10);
            break;
        case 'r':
            b.unit(13);
            break;
        case 't':
            b.unit(9);
            break;
        case 'v':
            b.unit(11);
            break;
        case 'x': {
            const std::size_t first = at;
            while (at - first < 4 && at < line.size() && isHexDigit(line[at])) ++at;
            if (at == first)
                b.raw('x');
            else
                b.unit(static_cast<std::uint32_t>(hexValue(line.substr(first, at - first))));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                std::uint32_t u = static_cast<std::uint32_t>(e - '0');
                for (int n = 1; n < 3 && at < line.size() && line[at] >= '0' && line[at] <= '7';
                     ++n)
                    u = u * 8 + static_cast<std::uint32_t>(line[at++] - '0');
                b.unit(u);
            } else {
                b.raw(e);
            }
        }
    }
    return false;
}

// "78,03,ab" to bytes; stops at the first item that is not a hexadecimal byte.
std::string hexBytes(std::string_view list) {
    std::string bytes;
    for (const std::string& item : split(list, ",")) {
        const std::string t = trim(replaceAll(replaceAll(item, "\t", " "), "\r", ""));
        if (t.empty()) continue;
        if (t.size() > 2 || !isHexDigit(t[0]) || (t.size() == 2 && !isHexDigit(t[1]))) break;
        bytes.push_back(static_cast<char>(hexValue(t)));
    }
    return bytes;
}

// UTF-16LE bytes of a REG_SZ-like value, up to the first NUL, as UTF-8.
std::string utf16Text(std::string_view bytes) {
    Utf8Builder b;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t u = static_cast<std::uint8_t>(bytes[i]) |
                                static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1]))
                                    << 8;
        if (u == 0) break;
        b.unit(u);
    }
    return b.take();
}

// The data part of a value line (after "="), with continuation lines already joined.
bool parseData(std::string_view data, RegValue& v) {
    std::size_t at = 0;
    if (startsWith(data, "\"")) {
        at = 1;
        v.kind = RegKind::String;
        return unescape(data, at, '"', v.data);
    }
    if (startsWith(data, "str(")) {
        at = data.find(":\"");
        if (at == std::string_view::npos) return false;
        at += 2;
        v.kind = RegKind::String;
        return unescape(data, at, '"', v.data);
    }
    if (startsWith(data, "dword:")) {
        const std::uint32_t d = static_cast<std::uint32_t>(hexValue(trim(data.substr(6))));
        v.kind = RegKind::Binary;
        v.data = {static_cast<char>(d & 0xFF), static_cast<char>(d >> 8 & 0xFF),
                  static_cast<char>(d >> 16 & 0xFF), static_cast<char>(d >> 24 & 0xFF)};
        return true;
    }
    if (startsWith(data, "hex")) {
        const std::size_t colon = data.find(':');
        if (colon == std::string_view::npos) return false;
        const std::string_view type = data.substr(3, colon - 3); // "" or "(N)"
        const std::string bytes = hexBytes(data.substr(colon + 1));
        // REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ (its first string) written as hex.
        if (type == "(1)" || type == "(2)" || type == "(7)") {
            v.kind = RegKind::String;
            v.data = utf16Text(bytes);
        } else {
            v.kind = RegKind::Binary;
            v.data = bytes;
        }
        return true;
    }
    return false;
}

bool below(const std::string& lowerPath, const std::string& lowerRoot) {
    return lowerPath == lowerRoot ||
           (startsWith(lowerPath, lowerRoot) && lowerPath.size() > lowerRoot.size() &&
            lowerPath[lowerRoot.size()] == '\\');
}

std::string keyRoot(std::string_view path) {
    std::string p = lcase(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return p;
}

// One value line: "name"=data or @=data; nothing for comments ("#time=") and broken lines.
std::optional<RegValue> parseValueLine(std::string_view entry) {
    RegValue v;
    std::size_t at = 0;
    if (startsWith(entry, "@=")) {
        at = 1;
    } else if (startsWith(entry, "\"")) {
        at = 1;
        if (!unescape(entry, at, '"', v.name)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (at >= entry.size() || entry[at] != '=') return std::nullopt;
    if (!parseData(entry.substr(at + 1), v)) return std::nullopt;
    return v;
}

} // namespace

std::vector<RegKey> parseSystemReg(std::string_view text, const std::vector<std::string>& keep) {
    std::vector<std::string> roots;
    for (const auto& k : keep) roots.push_back(keyRoot(k));
    std::vector<RegKey> keys;
    bool keeping = false;
    std::string pending; // a value line, joined with its continuation lines
    const auto flush = [&] {
        if (keeping && !pending.empty())
            if (auto v = parseValueLine(pending)) keys.back().values.push_back(std::move(*v));
        pending.clear();
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line[0] == '[') {
            flush();
            std::size_t at = 1;
            std::string path;
            keeping = false;
            if (!unescape(line, at, ']', path)) continue;
            const std::string lower = keyRoot(path);
            for (const auto& r : roots) keeping = keeping || below(lower, r);
            if (keeping) keys.push_back(RegKey{path, {}});
            continue;
        }
        if (!keeping) continue;
        if (pending.empty()) {
            pending = std::string(line);
        } else {
            const std::size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos) pending.append(line.substr(first));
        }
        // Long hex values are wrapped: every line but the last ends in "\".
        if (!pending.empty() && pending.back() == '\\') {
            pending.pop_back();
            continue;
        }
        flush();
    }
    flush();
    return keys;
}

WineRegistry::WineRegistry(std::string prefix, const std::vector<std::string>& keep)
    : prefix_(std::move(prefix)) {
    if (const auto text = readFile(joinPath(prefix_, "system.reg"), kSystemRegLimit))
        keys_ = parseSystemReg(*text, keep);
}

std::vector<RegKey> WineRegistry::subtree(std::string_view path) {
    const std::string root = keyRoot(path);
    std::vector<RegKey> found;
    for (const auto& k : keys_)
        if (below(keyRoot(k.path), root)) found.push_back(k);
    return found;
}

std::string WineRegistry::realPath(std::string_view registryPath) const {
    if (registryPath.size() < 2 || registryPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(registryPath[0])))
        return {};
    const std::string drive = lcase(registryPath.substr(0, 2));
    std::error_code ec;
    std::string root = platform::utf8Path(
        fs::canonical(platform::fsPath(joinPath(joinPath(prefix_, "dosdevices"), drive)), ec));
    if (ec) {
        if (drive != "c:") return {};
        root = joinPath(prefix_, "drive_c");
    }
    return resolveCaseless(root, registryPath.substr(2));
}

} // namespace kestrel::installed
