// Build-time tool: turns a plain name text (data/styles/*.txt) into the scrambled form that ships
// in the data folder (s290, e305, i84).
//
// The program reads a scrambled text by lower-casing it, XOR-ing every byte above 9 with 0x5A
// and then turning every "-*" into CR LF. This tool writes the inverse: each CR LF becomes the
// scrambled "-*" ("wp"), every other byte above 9 is XOR-ed with 0x5A. It refuses any plain text
// that would not come back unchanged from that reading, naming the line and the byte:
//   - a lone CR or LF (lines must end in CR LF), or a byte above 127 (lower-casing is ASCII only);
//   - a byte whose scrambled form is an upper-case letter (lower-casing would change it);
//   - a byte whose scrambled form is 9 or below (the reading would not XOR it back);
//   - "-*" in the plain text (the reading would turn it into a line break);
//   - a scrambled text starting "0x1" (the reading takes such a text as plain).
//
// Usage: scramble_text PLAIN OUT
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr unsigned char kKey = 0x5A;
constexpr unsigned char kPassLimit = 9; // bytes 0 to 9 pass the reading unchanged

bool isUpper(unsigned char b) {
    return b >= 'A' && b <= 'Z';
}

struct Fault {
    int line;
    std::string what;
};

// Scrambles `plain` into `out`, or reports the first byte that cannot survive the reading.
std::optional<Fault> scramble(const std::string& plain, std::string& out) {
    int line = 1;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto c = static_cast<unsigned char>(plain[i]);
        if (c == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n') {
            out += static_cast<char>('-' ^ kKey);
            out += static_cast<char>('*' ^ kKey);
            ++i;
            ++line;
            continue;
        }
        if (c == '\r' || c == '\n') return Fault{line, "line end other than CR LF"};
        if (c > 127) return Fault{line, "byte above 127"};
        if (c == '-' && i + 1 < plain.size() && plain[i + 1] == '*')
            return Fault{line, "\"-*\" would become a line break"};
        if (c <= kPassLimit) {
            out += static_cast<char>(c);
            continue;
        }
        const auto s = static_cast<unsigned char>(c ^ kKey);
        if (s <= kPassLimit || isUpper(s))
            return Fault{line, "character '" + std::string(1, static_cast<char>(c)) +
                                   "' does not survive the reading"};
        out += static_cast<char>(s);
    }
    if (!plain.empty() && plain.back() != '\n') return Fault{line, "last line lacks CR LF"};
    if (out.rfind("0x1", 0) == 0) return Fault{1, "scrambled text would be taken as plain"};
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scramble_text PLAIN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "scramble_text: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string plain;
    try {
        plain.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        std::fprintf(stderr, "scramble_text: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string scrambled;
    if (const auto fault = scramble(plain, scrambled)) {
        std::fprintf(stderr, "%s:%d: %s\n", argv[1], fault->line, fault->what.c_str());
        return 1;
    }
    const std::string temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(scrambled.data(), static_cast<std::streamsize>(scrambled.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "scramble_text: cannot write %s\n", temp.c_str());
            std::remove(temp.c_str());
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "scramble_text: cannot write %s\n", argv[2]);
        std::remove(temp.c_str());
        return 1;
    }
    return 0;
}
