#pragma once
// Helpers for the TYP text tests: the writer's inputs set up as the program starts, and the
// written text taken apart into its blocks.
#include <random>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/text.h"
#include "support/fake_ui.h"
#include "support/inventory_entries.h"
#include "support/temp_dir.h"
#include "typtext/typ_text_context.h"
#include "typtext/typ_text_document.h"

namespace kestrel::test {

// The rows of a list under tests/data/golden ("NAME | FIELD | ..."): each line's fields, without
// blank lines and # comments.
inline std::vector<std::vector<std::string>> caseRows(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line :
         split(readFile(std::string(KESTREL_GOLDEN_DIR) + "/" + file).value_or(""), "\n"))
        if (!line.empty() && line[0] != '#') rows.push_back(split(line, " | "));
    return rows;
}

// The entries a row names: each in double quotes, or "codes FIRST COUNT" counted out.
inline std::vector<std::string> caseEntries(const std::string& field) {
    std::vector<std::string> out;
    const std::vector<std::string> words = split(field, " ");
    if (words[0] == "codes") {
        for (int i = 0; i < std::stoi(words[2]); ++i)
            out.push_back("0x" + hex(hexValue(words[1].substr(2)) + static_cast<unsigned>(i)));
        return out;
    }
    for (std::size_t at = field.find('"'), end = 0; at != std::string::npos;
         at = field.find('"', end + 1)) {
        end = field.find('"', at + 1);
        out.push_back(field.substr(at + 1, end - at - 1));
    }
    return out;
}

// The data folder of the source tree (icon files "bmps/N.txt").
inline std::string sourceDataFolder() {
    return fixtureDir() + "/../../data/system";
}

// What the writers read and change, owned by a test.
struct WriterInputs {
    MapState map;
    TypTextStyle style;
    PoiWidths widths;
    std::string syspath = sourceDataFolder();

    TypTextContext context(UiPort& ui) {
        return {map.inventory, map.fields, style, widths, syspath, 5.1f, ui};
    }
};

// The program's defaults and the given lists (entries as the lists show them).
inline WriterInputs writerInputs(std::vector<std::string> polygons, std::vector<std::string> lines,
                                 std::vector<std::string> pois) {
    WriterInputs s;
    s.map.inventory.list(kPolygons) = listed(polygons);
    s.map.inventory.list(kLines) = listed(lines);
    s.map.inventory.list(kPois) = listed(pois);
    return s;
}

using Chunk = std::vector<std::string>;

// The blocks that start with the given header ("[_polygon]", "[_line]", "[_point]"), each up to
// and including its "[end]".
inline std::vector<Chunk> blocksOf(const std::string& text, const std::string& header) {
    std::vector<Chunk> out;
    bool in = false;
    for (const auto& line : split(text, "\r\n")) {
        if (line == header) {
            out.emplace_back();
            in = true;
        }
        if (!in) continue;
        out.back().push_back(line);
        if (line == "[end]") in = false;
    }
    return out;
}

// What one element writer wrote with a fixed seed: the text and its blocks.
struct WrittenBlocks {
    std::string text;
    std::vector<Chunk> blocks;
};

template <class Writer>
WrittenBlocks writeWith(Writer writer, WriterInputs& s, unsigned seed, const std::string& header) {
    FakeUi ui;
    std::mt19937 rng(seed);
    TypTextDocument doc;
    writer(doc, s.context(ui), rng);
    return {doc.text(), blocksOf(doc.text(), header)};
}

// The value of the first "Key=" line of a chunk, or "<none>".
inline std::string valueOf(const Chunk& chunk, const std::string& key) {
    for (const auto& line : chunk)
        if (startsWith(line, key + "=")) return line.substr(key.size() + 1);
    return "<none>";
}

// The lines after the Xpm header (colour lines and rows), without the closing "[end]".
inline std::vector<std::string> fillOf(const Chunk& chunk) {
    std::vector<std::string> out;
    bool in = false;
    for (const auto& line : chunk) {
        if (line == "[end]") break;
        if (in) out.push_back(line);
        if (startsWith(line, "Xpm=")) in = true;
    }
    return out;
}

} // namespace kestrel::test

#include "xpm_fill/xpm_fill.h"

namespace kestrel::test {

// Checks that a block's fill is well formed: a solid or plain form ("0 0 n c") with n colour
// lines, or a bitmap whose rows match its header. Returns what is wrong, empty when fine.
inline std::string fillProblem(const Chunk& chunk) {
    std::string xpm;
    for (const auto& line : chunk)
        if (startsWith(line, "Xpm=")) xpm = line;
    if (xpm.empty()) return "no Xpm line";
    const std::vector<std::string> fill = fillOf(chunk);
    if (startsWith(xpm, "Xpm=\"0 0 ")) {
        const std::size_t colours = static_cast<std::size_t>(xpm[9] - '0');
        if (fill.size() != colours)
            return "plain form with " + std::to_string(fill.size()) + " lines for " +
                   std::to_string(colours) + " colours";
        for (const auto& c : fill)
            if (!(c.size() == 13 && c[0] == '"' && c.substr(2, 4) == " c #" && c[12] == '"'))
                return "malformed colour line " + c;
        return {};
    }
    const XpmReadResult r = readXpmFill(xpm + "\r\n" + join(fill, "\r\n"));
    return r.fill ? std::string() : r.error;
}

} // namespace kestrel::test
