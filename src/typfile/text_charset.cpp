#include "typfile/text_charset.h"

#include <array>
#include <initializer_list>

#include "base/code_page_text.h"
#include "base/text.h"
#include "base/utf8.h"
#include "typfile/text_numbers.h"

namespace kestrel::typ {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

enum class Charset : std::uint8_t { Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be, Latin1, Windows };

struct Choice {
    Charset set = Charset::Utf8;
    std::uint16_t codePage = 0; // Windows
    std::string name;
    bool known = true;
};

// The bytes Java's decoders leave undefined in the Windows code pages 1250 to 1258.
constexpr std::array<std::initializer_list<std::uint8_t>, 9> kUndefined{{
    {0x81, 0x83, 0x88, 0x90, 0x98},
    {0x98},
    {0x81, 0x8D, 0x8F, 0x90, 0x9D},
    {0x81, 0x88, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xAA, 0xD2,
     0xFF},
    {0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E},
    {0x81, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F,
     0xCA, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xFB, 0xFC, 0xFF},
    {},
    {0x81, 0x83, 0x88, 0x8A, 0x8C, 0x90, 0x98, 0x9A, 0x9C, 0x9F, 0xA1, 0xA5},
    {0x81, 0x8A, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9D, 0x9E},
}};

// One well-formed UTF-8 character as Java's decoder takes it (no overlong forms, no surrogates);
// 0 bytes where there is none.
Utf8Char strictUtf8(std::string_view s, std::size_t at) {
    const Utf8Char c = nextUtf8(s, at);
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c.bytes == 0 || c.cp < kLeast[c.bytes] || c.cp > 0x10FFFF ||
        (c.cp >= 0xD800 && c.cp <= 0xDFFF))
        return {};
    return c;
}

bool strictlyUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const Utf8Char c = strictUtf8(s, i);
        if (c.bytes == 0) return false;
        i += c.bytes;
    }
    return true;
}

// Java's String.trim: off both ends every character up to the blank.
std::string_view javaTrim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

Choice windows(std::uint16_t codePage) {
    return {Charset::Windows, codePage, concat({"cp", std::to_string(codePage)}), true};
}

// A character set by its name, as an Emacs coding line gives it.
Choice named(std::string_view name) {
    const std::string n = lcase(name);
    if (n == "utf-8" || n == "utf8") return {Charset::Utf8, 0, std::string(name), true};
    if (n == "utf-16le") return {Charset::Utf16Le, 0, std::string(name), true};
    if (n == "utf-16be" || n == "utf-16") return {Charset::Utf16Be, 0, std::string(name), true};
    if (n == "utf-32le") return {Charset::Utf32Le, 0, std::string(name), true};
    if (n == "utf-32be" || n == "utf-32") return {Charset::Utf32Be, 0, std::string(name), true};
    if (n == "iso-8859-1" || n == "latin1" || n == "latin-1")
        return {Charset::Latin1, 0, std::string(name), true};
    for (const std::string_view prefix : {"cp", "windows-"}) {
        if (!startsWith(n, prefix)) continue;
        const auto number = parseNumber(std::string_view(n).substr(prefix.size()));
        if (number && *number >= 1250 && *number <= 1258)
            return windows(static_cast<std::uint16_t>(*number));
    }
    return {Charset::Utf8, 0, std::string(name), false};
}

struct Probe {
    Choice choice;
    std::uint32_t line = 0;
    bool utf8ReadAsCodePage = false;
};

Probe found(Choice choice, std::size_t line) {
    Probe p;
    p.choice = std::move(choice);
    p.line = static_cast<std::uint32_t>(line);
    return p;
}

// mkgmap's look at the text's lines (bytes, split at CR, LF or CR LF; empty ones skipped).
Probe probe(std::string_view bytes) {
    bool utf8 = true;
    std::size_t lineNumber = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(at, end - at);
        at = end + (bytes.substr(end).starts_with("\r\n") ? 2 : 1);
        ++lineNumber;
        if (line.empty()) continue;
        if (lineNumber <= 2) {
            using namespace std::string_view_literals;
            const std::size_t n = lineNumber;
            if (contains(line, "\xEF\xBB\xBF")) return found({Charset::Utf8, 0, "UTF-8"}, n);
            if (contains(line, "\xFF\xFE\0\0"sv))
                return found({Charset::Utf32Le, 0, "UTF-32LE"}, n);
            if (contains(line, "\0\0\xFE\xFF"sv))
                return found({Charset::Utf32Be, 0, "UTF-32BE"}, n);
            if (contains(line, "\xFF\xFE")) return found({Charset::Utf16Le, 0, "UTF-16LE"}, n);
            if (contains(line, "\xFE\xFF")) return found({Charset::Utf16Be, 0, "UTF-16BE"}, n);
            const std::size_t coding = line.find("-*- coding:");
            if (coding != std::string_view::npos) {
                std::string_view name = javaTrim(line.substr(coding + 11));
                name = name.substr(0, name.find(' '));
                return found(named(name), n);
            }
        }
        if (startsWith(line, "CodePage=")) {
            const std::string_view value = javaTrim(line.substr(9));
            const auto number = decodeNumber(value);
            Probe p = found({}, lineNumber);
            if (!number) {
                p.choice = named(value);
            } else if (*number == kUtf8CodePage) {
                p.choice = {Charset::Utf8, 0, "UTF-8"};
            } else if (*number >= 1250 && *number <= 1258) {
                p.choice = windows(static_cast<std::uint16_t>(*number));
                p.utf8ReadAsCodePage = strictlyUtf8(bytes) && !readsExactly(bytes, 0);
            } else {
                // Java knows more "cpN" (DOS, EBCDIC, East Asian); kestrel reads none of them.
                p.choice = {Charset::Utf8, 0, concat({"cp", std::to_string(*number)}), false};
            }
            return p;
        }
        if (utf8 && !strictlyUtf8(line)) utf8 = false;
    }
    return found(utf8 ? Choice{Charset::Utf8, 0, "UTF-8"} : windows(1252), 0);
}

std::string fromUtf8Bytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Char c = strictUtf8(bytes, i);
        if (c.bytes == 0) {
            appendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        out.append(bytes.substr(i, c.bytes));
        i += c.bytes;
    }
    return out;
}

std::string fromUnits(std::string_view bytes, unsigned width, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (unsigned k = 0; k < width; ++k) {
            const auto b = static_cast<unsigned char>(bytes[at + (bigEndian ? k : width - 1 - k)]);
            v = v << 8 | b;
        }
        return v;
    };
    std::size_t i = 0;
    for (; i + width <= bytes.size(); i += width) {
        std::uint32_t cp = unit(i);
        if (width == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 4 <= bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, cp); // unpaired surrogates and values past U+10FFFF become U+FFFD
    }
    if (i < bytes.size()) appendUtf8(out, kReplacement);
    return out;
}

std::string fromSingleBytes(std::string_view bytes, Charset set, std::uint16_t codePage) {
    std::array<std::string, 256> map;
    for (unsigned b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (set == Charset::Latin1 || b < 0x80) {
            appendUtf8(map[b], b);
        } else {
            map[b] = toUtf8(std::string_view(&c, 1), codePage);
        }
    }
    if (set == Charset::Windows) {
        for (const std::uint8_t b : kUndefined[codePage - 1250]) {
            map[b].clear();
            appendUtf8(map[b], kReplacement);
        }
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) out += map[static_cast<unsigned char>(c)];
    return out;
}

} // namespace

DecodedText decodeText(std::string_view bytes) {
    const Probe p = probe(bytes);
    DecodedText d;
    d.charset = p.choice.name;
    d.charsetLine = p.line;
    d.unknownCharset = !p.choice.known;
    d.utf8ReadAsCodePage = p.utf8ReadAsCodePage;
    if (d.unknownCharset) return d;
    switch (p.choice.set) {
    case Charset::Utf8:
        d.utf8 = fromUtf8Bytes(bytes);
        break;
    case Charset::Utf16Le:
    case Charset::Utf16Be:
        d.utf8 = fromUnits(bytes, 2, p.choice.set == Charset::Utf16Be);
        break;
    case Charset::Utf32Le:
    case Charset::Utf32Be:
        d.utf8 = fromUnits(bytes, 4, p.choice.set == Charset::Utf32Be);
        break;
    case Charset::Latin1:
    case Charset::Windows:
        d.utf8 = fromSingleBytes(bytes, p.choice.set, p.choice.codePage);
        break;
    }
    return d;
}

} // namespace kestrel::typ
