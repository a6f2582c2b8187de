#include "app/state_file.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel {

namespace {

// The lines of the file, numbered from 0; a line past the end is missing and keeps its value.
class StateLines {
  public:
    explicit StateLines(const std::string& text) : parts_(split(text, kCrLf)) {}

    std::size_t count() const { return parts_.size(); }
    const std::string* at(std::size_t n) const { return n < parts_.size() ? &parts_[n] : nullptr; }

    void text(std::size_t n, std::string& out) const {
        if (const auto* s = at(n)) out = *s;
    }
    // A whole decimal number (blanks around it allowed); a line that is not one keeps the value.
    std::optional<long long> number(std::size_t n) const {
        const auto* s = at(n);
        if (s == nullptr) return std::nullopt;
        const std::string t = trim(*s);
        long long v = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
        return v;
    }
    // A whole number that fits an int; any other line keeps the value.
    void integer(std::size_t n, int& out) const {
        const auto v = number(n);
        if (v && *v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max())
            out = static_cast<int>(*v);
    }
    // The leading number as the program reads fields (`val`): 0 when there is none; nothing when
    // the line is missing or its number overflows.
    std::optional<double> decimal(std::size_t n) const {
        const auto* s = at(n);
        return s == nullptr ? std::nullopt : leadingNumber(*s);
    }

  private:
    std::vector<std::string> parts_;
};

constexpr std::size_t kLastdir = 3, kReserved5 = 5, kReserved6 = 6, kCarried7 = 7, kTinker = 8,
                      kDumpflag = 9, kTdbEditor = 10, kCodepage = 11, kTypfile = 12,
                      kDraworder = 16, kPoiWidth = 17, kCityPoiWidth = 18, kKindmode = 19,
                      kRecent = 22, kExtendDirectories = 29, kCarried30 = 30, kCarried31 = 31,
                      kKindsel = 32, kColourSlots = 35, kVariousIcons = 39, kInclude4b4a = 40,
                      kUpdatePage = 41, kDownloadPage = 42, kCompleteScan = 43;

// Files of exactly this many parts come from an older layout whose lines 35 to 40 meant
// something else; their defaults stay.
constexpr std::size_t kOldLayoutParts = 37;

constexpr ColourValue kMaxColour = 16777215;

// Kind selections were written back as whole numbers; one beyond what those hold keeps the value.
constexpr double kWholeNumberLimit = 9.2e18;

// An option's line: "1" when on, "0" when off.
std::string flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

bool isStateText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (controlLength(text, i) == 1 && text[i] != '\t' && text[i] != '\r' && text[i] != '\n')
            return false;
    return StateLines(std::string(text)).count() >= kOldLayoutParts;
}

bool loaddata(const std::string& statefile, Settings& s) {
    const auto text = readFile(statefile);
    if (!text) return false;
    const StateLines lines(*text);

    lines.text(kLastdir, s.lastdir);
    lines.text(kReserved5, s.reserved5);
    lines.text(kReserved6, s.reserved6);
    lines.text(kCarried7, s.carried7);
    lines.text(kTinker, s.tinkerPath);
    if (const auto* d = lines.at(kDumpflag)) {
        // Written as "True"/"False"; older files may hold a number.
        const std::string word = lcase(trim(*d));
        s.dumpflag = word == "true" || (word != "false" && val(word) != 0);
    }
    lines.text(kTdbEditor, s.tdbEditorPath);
    if (const auto* cp = lines.at(kCodepage))
        s.codepage = val(*cp) < 800 ? CodePage() : CodePage(*cp);
    lines.text(kTypfile, s.typfile);
    if (const auto v = lines.number(kDraworder)) s.draworder = *v != 0;
    if (const auto v = lines.decimal(kPoiWidth)) s.poiWidths.poi = poiWidthOf(*v);
    if (const auto v = lines.decimal(kCityPoiWidth)) s.poiWidths.city = poiWidthOf(*v);
    for (std::size_t k = 0; k < 3; ++k) lines.integer(kKindmode + k, s.kindmode[k]);
    for (std::size_t i = 0; i < s.recent.size(); ++i) lines.text(kRecent + i, s.recent[i]);
    lines.integer(kExtendDirectories, s.extendDirectories);
    lines.text(kCarried30, s.carried30);
    lines.text(kCarried31, s.carried31);
    // A kind takes part when the whole part of its line's number is 1.
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = lines.decimal(kKindsel + k);
        if (v && std::abs(*v) < kWholeNumberLimit) s.kindsel[k] = std::trunc(*v) == 1;
    }

    if (lines.count() != kOldLayoutParts) {
        // A colour line holds the decimal colour value; 0 is black. An empty or unreadable line
        // keeps the default.
        for (std::size_t i = 0; i < 4; ++i) {
            const auto v = lines.number(kColourSlots + i);
            if (v && *v >= 0 && *v <= kMaxColour) s.colourSlots[i] = static_cast<ColourValue>(*v);
        }
        if (const auto* line = lines.at(kVariousIcons)) s.variousIcons = val(*line) == 1;
        if (const auto* line = lines.at(kInclude4b4a)) s.include4b4a = val(*line) == 1;
        lines.text(kUpdatePage, s.updatePageUrl);
        lines.text(kDownloadPage, s.downloadUrl);
    }
    if (const auto v = lines.number(kCompleteScan)) s.completeScan = *v != 0;
    return true;
}

bool savedata(const std::string& statefile, const Settings& s) {
    std::vector<std::string> out(kCompleteScan + 1);
    // Every line is made as a string of its own and moved in: g++ 12 warns falsely (-Wrestrict)
    // about a literal assigned to a string it cannot prove empty.
    const auto put = [&out](std::size_t n, std::string line) { out[n] = std::move(line); };
    put(0, "111");
    put(kLastdir, s.lastdir);
    put(4, " ");
    put(kReserved5, s.reserved5);
    put(kReserved6, s.reserved6);
    put(kCarried7, s.carried7);
    put(kTinker, s.tinkerPath);
    put(kDumpflag, s.dumpflag ? "True" : "False");
    put(kTdbEditor, s.tdbEditorPath);
    put(kCodepage, s.codepage.text());
    put(kTypfile, s.typfile);
    for (std::size_t n : {13, 14, 15}) put(n, " ");
    put(kDraworder, flag(s.draworder));
    put(kPoiWidth, std::to_string(s.poiWidths.poi));
    put(kCityPoiWidth, std::to_string(s.poiWidths.city));
    for (std::size_t k = 0; k < 3; ++k) put(kKindmode + k, std::to_string(s.kindmode[k]));
    for (std::size_t i = 0; i < s.recent.size(); ++i) put(kRecent + i, s.recent[i]);
    put(kExtendDirectories, std::to_string(s.extendDirectories));
    put(kCarried30, s.carried30);
    put(kCarried31, s.carried31);
    for (std::size_t k = 0; k < 3; ++k) put(kKindsel + k, flag(s.kindsel[k]));
    for (std::size_t i = 0; i < 4; ++i) put(kColourSlots + i, std::to_string(s.colourSlots[i]));
    put(kVariousIcons, flag(s.variousIcons));
    put(kInclude4b4a, flag(s.include4b4a));
    put(kUpdatePage, s.updatePageUrl);
    put(kDownloadPage, s.downloadUrl);
    put(kCompleteScan, flag(s.completeScan));

    std::string text;
    for (const auto& line : out) {
        text += line;
        text += kCrLf;
    }
    return saveText(normalisePath(statefile), text);
}

} // namespace kestrel
