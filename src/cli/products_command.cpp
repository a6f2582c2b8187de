// `kestrel-cli products`: lists the installed map products the selection window offers, in its
// order: name, family ID, where it was found, and its folder.
#include <cstdio>
#include <string>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "installed/messages.h"
#include "installed/product_scan.h"

namespace kestrel::cli {
namespace {

constexpr const char* kProductsUsage = "usage: kestrel-cli products [--json]\n";

// True when the bytes are well-formed UTF-8 (file names on Linux and macOS usually are; names
// read from TDB files are 8-bit code-page text).
bool isUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80           ? 1
                              : (b >> 5) == 0x6  ? 2
                              : (b >> 4) == 0xE  ? 3
                              : (b >> 3) == 0x1E ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// The text as UTF-8: file-system names already are; 8-bit code-page text (names from TDB files)
// is taken as Latin-1.
std::string asUtf8(const std::string& s) {
    if (isUtf8(s)) return s;
    std::string r;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            r += c;
        } else {
            r += static_cast<char>(0xC0 | b >> 6);
            r += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return r;
}

std::string jsonText(const std::string& s) {
    std::string r = "\"";
    for (const char c : asUtf8(s)) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned>(c));
            r += u;
            continue;
        }
        if (c == '"' || c == '\\') r += '\\';
        r += c;
    }
    return r + "\"";
}

std::string familyText(const installed::InstalledProduct& p, const char* none) {
    return p.familyId ? std::to_string(*p.familyId) : std::string(none);
}

} // namespace

int products(const Args& args) {
    bool json = false;
    for (const std::string& a : args) {
        if (a != "--json") {
            std::fputs(kProductsUsage, stderr);
            return 2;
        }
        json = true;
    }
    CliUiPort ui;
    const auto found =
        installed::scanInstalledProducts(installed::ProductEnvironment::fromProcess(), ui);
    std::string out;
    if (json) {
        out = "[";
        for (std::size_t i = 0; i < found.size(); ++i) {
            const auto& p = found[i];
            out += std::string(i ? ",\n " : "\n ") + "{\"name\": " + jsonText(p.name) +
                   ", \"folder\": " + jsonText(p.folder) +
                   ", \"family_id\": " + familyText(p, "null") + ", \"source\": \"" +
                   std::string(installed::sourceName(p.source)) + "\"}";
        }
        out += found.empty() ? "]\n" : "\n]\n";
    } else {
        for (const auto& p : found)
            out += p.name + "\t" + familyText(p, "-") + "\t" +
                   std::string(installed::sourceName(p.source)) + "\t" + p.folder + "\n";
        if (found.empty())
            std::fprintf(stderr, "%s\n", std::string(installed::kMsgNoProducts).c_str());
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

} // namespace kestrel::cli
