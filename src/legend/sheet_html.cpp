#include "legend/sheet_html.h"

#include "base/base64.h"
#include "base/text.h"
#include "legend/row_text.h"
#include "legend/sheet_words.h"
#include "legend/swatch.h"

namespace kestrel::legend {
namespace {

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; img-src data:; style-src 'unsafe-inline'">
<title>)";
constexpr std::string_view kStyle = R"(</title>
<style>
body { font-family: sans-serif; font-size: 14px; color: #1a1a1a; margin: 16px; }
h1 { font-size: 20px; } h2 { font-size: 16px; margin-top: 24px; }
table { border-collapse: collapse; }
th, td { text-align: left; vertical-align: middle; padding: 3px 10px 3px 0; }
th { font-weight: normal; color: #666; }
td.code { font-family: monospace; }
img { image-rendering: pixelated; display: block; }
.chip { display: inline-block; width: 10px; height: 10px; border: 1px solid #888; margin: 0 3px 0 6px; }
</style>
</head>
<body>
)";

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    return out;
}

std::string image(const Sheet& s, const Row& r, draw::Daytime time) {
    const Size size = swatchSize(s, r);
    const std::string png = swatchPng(s, r, time).value_or(std::string());
    return concat({"<img width=\"", std::to_string(size.width), "\" height=\"",
                   std::to_string(size.height), "\" alt=\"",
                   time == draw::Daytime::Day ? words::kDay : words::kNight,
                   "\" src=\"data:image/png;base64,", base64(png), "\">"});
}

// The label colours, each with a chip of its colour.
std::string colourCell(const Sheet& s, const Row& r, const RowText& t) {
    const typ::Labelling* l = labellingOf(s, r);
    if (!l) return {};
    std::string cell = escaped(t.labelColours);
    for (const auto& c : {l->dayColour, l->nightColour})
        if (c)
            cell +=
                concat({"<span class=\"chip\" style=\"background:", colourText(*c), "\"></span>"});
    return cell;
}

// The section's heading, and "none" when it has no rows; true when it has some.
bool section(std::string& out, std::string_view heading, const std::vector<Row>& rows) {
    out += concat({"<h2>", escaped(heading), "</h2>\n"});
    if (rows.empty()) out += concat({"<p>", words::kNone, "</p>\n"});
    return !rows.empty();
}

void table(std::string& out, const Sheet& s, std::string_view heading,
           const std::vector<Row>& rows) {
    if (!section(out, heading, rows)) return;
    // The objects column only beside a map.
    out += "<table>\n<tr>";
    for (const std::string_view column : words::kColumns)
        if (s.withMap || column != words::kObjectsColumn) out += concat({"<th>", column, "</th>"});
    out += "</tr>\n";
    for (const Row& r : rows) {
        const RowText t = rowText(s, r);
        out += concat({"<tr><td>", image(s, r, draw::Daytime::Day), "</td><td>",
                       image(s, r, draw::Daytime::Night), "</td><td class=\"code\">",
                       r.element ? t.code : concat({t.kind, " ", t.code}), "</td><td>",
                       escaped(t.level), "</td><td>",
                       s.withMap ? concat({escaped(t.objects), "</td><td>"}) : "",
                       escaped(join(t.labels, ", ")), "</td><td>", escaped(t.font), "</td><td>",
                       colourCell(s, r, t), "</td></tr>\n"});
    }
    out += "</table>\n";
}

void list(std::string& out, const Sheet& s, std::string_view heading,
          const std::vector<Row>& rows) {
    if (!section(out, heading, rows)) return;
    out += "<ul>\n";
    for (const Row& r : rows)
        out += concat({"<li>", escaped(factsLine(rowText(s, r), true)), "</li>\n"});
    out += "</ul>\n";
}

} // namespace

std::string sheetHtml(const Sheet& sheet, std::string_view title) {
    std::string out = concat({kHead, escaped(title), kStyle, "<h1>", escaped(title), "</h1>\n"});
    table(out, sheet, words::kPolygons, sheet.polygons);
    table(out, sheet, words::kLines, sheet.lines);
    table(out, sheet, words::kPoints, sheet.points);
    if (sheet.withMap) {
        if (sheet.mapIncomplete) out += concat({"<p>", words::kIncomplete, "</p>\n"});
        table(out, sheet, words::kUnstyled, sheet.unstyled);
        list(out, sheet, words::kUndrawn, sheet.undrawn);
        list(out, sheet, words::kUnused, sheet.unused);
    }
    out += "</body>\n</html>\n";
    return out;
}

} // namespace kestrel::legend
