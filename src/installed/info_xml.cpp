#include "installed/info_xml.h"

#include <charconv>
#include <vector>

#include "base/text.h"
#include "base/utf8.h"

namespace kestrel::installed {
namespace {

struct Element {
    std::string name; // lower case, without namespace prefix
    std::string text; // up to the next "<", decoded, trimmed
};

bool isNameChar(char c) {
    return c != '>' && c != '/' && c != ' ' && c != '\t' && c != '\r' && c != '\n';
}

// Decodes the five named entities and numeric references; anything else is kept as written.
std::string decodeEntities(std::string_view s) {
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t semi = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos || semi - i > 10) {
            out.push_back(s[i]);
            continue;
        }
        const std::string_view ref = s.substr(i + 1, semi - i - 1);
        bool done = false;
        for (const auto& [entity, c] : kNamed) {
            if (ref == entity) {
                out.push_back(c);
                done = true;
            }
        }
        if (!done && ref.size() > 1 && ref[0] == '#') {
            const bool hexRef = ref[1] == 'x' || ref[1] == 'X';
            const std::string_view digits = ref.substr(hexRef ? 2 : 1);
            std::uint32_t cp = 0;
            const auto r =
                std::from_chars(digits.data(), digits.data() + digits.size(), cp, hexRef ? 16 : 10);
            if (r.ec == std::errc() && r.ptr == digits.data() + digits.size() && cp > 0 &&
                cp <= 0x10FFFF) {
                appendUtf8(out, cp);
                done = true;
            }
        }
        if (done) {
            i = semi;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

std::string trimSpace(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(first, last - first + 1));
}

// Calls f(element) for every start tag, in document order, until f returns false.
template <typename F> void forEachElement(std::string_view xml, F f) {
    std::size_t at = 0;
    while ((at = xml.find('<', at)) != std::string_view::npos) {
        std::size_t p = at + 1;
        if (p >= xml.size() || xml[p] == '/' || xml[p] == '?' || xml[p] == '!') {
            at = p;
            continue;
        }
        std::size_t end = p;
        while (end < xml.size() && isNameChar(xml[end])) ++end;
        std::string_view name = xml.substr(p, end - p);
        if (const auto colon = name.rfind(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);
        const std::size_t close = xml.find('>', end);
        if (close == std::string_view::npos) return;
        std::string text;
        if (xml[close - 1] != '/') {
            const std::size_t next = std::min(xml.find('<', close), xml.size());
            text = trimSpace(decodeEntities(xml.substr(close + 1, next - close - 1)));
        }
        if (!f(Element{lcase(name), std::move(text)})) return;
        at = close;
    }
}

} // namespace

std::optional<std::uint16_t> MapPackageInfo::familyId() const {
    unsigned v = 0;
    const auto r =
        std::from_chars(familyIdText.data(), familyIdText.data() + familyIdText.size(), v);
    if (r.ec != std::errc() || r.ptr != familyIdText.data() + familyIdText.size() || v > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

MapPackageInfo readInfoXml(std::string_view xml) {
    MapPackageInfo info;
    int ids = 0;
    const auto setOnce = [](std::string& field, const std::string& text, bool& seen) {
        if (!seen) field = text;
        seen = true;
    };
    bool name = false, sub = false, dir = false, tdb = false, mdr = false, base = false;
    forEachElement(xml, [&](const Element& e) {
        if (e.name == "id") {
            if (ids == 0) info.familyIdText = e.text;
            if (ids == 1) info.productIdText = e.text;
            ++ids;
        } else if (e.name == "name") {
            setOnce(info.name, e.text, name);
        } else if (e.name == "subproduct") {
            setOnce(info.subproduct, e.text, sub);
        } else if (e.name == "directory") {
            setOnce(info.directory, e.text, dir);
        } else if (e.name == "tdb") {
            setOnce(info.tdb, e.text, tdb);
        } else if (e.name == "mdr") {
            setOnce(info.mdr, e.text, mdr);
        } else if (e.name == "basemap") {
            setOnce(info.basemap, e.text, base);
        }
        return true;
    });
    return info;
}

} // namespace kestrel::installed
