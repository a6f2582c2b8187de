#pragma once
// The sections of a TYP text as the reader meets them: each takes the Key=value lines up to the
// next section line and adds what it holds to the model when that line comes (mkgmap's order of
// work, which decides where a refusal is met).
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "typfile/text_reader.h"
#include "typfile/text_scanner.h"

namespace kestrel::typ {

// What the sections of one text share: the scanner, the result, and the warnings said once.
struct TextReading {
    TextScanner& scanner;
    TextRead& out;
    std::set<std::pair<TextWarning, std::string>> said;

    // A warning at the line (0: the scanner's line).
    void warn(TextWarning w, std::string what = {}, std::uint32_t line = 0,
              std::string meant = {}) {
        out.notes.push_back({line ? line : scanner.line(), w, std::move(what), std::move(meant)});
    }
    // A warning said once for each value, as mkgmap says "tag ... not known".
    void warnOnce(TextWarning w, const std::string& what) {
        if (said.insert({w, what}).second) warn(w, what);
    }
};

class TextSection {
  public:
    virtual ~TextSection() = default;
    virtual void line(const std::string& key, const std::string& value) = 0;
    // The next section starts (or [end] came).
    virtual void finish() = 0;
    // The line of the section's own line.
    virtual std::uint32_t start() const = 0;
    // What the section holds is added only by finish() (an element).
    virtual bool pending() const { return false; }
};

enum class ElementKind : std::uint8_t { Polygon, Line, Point, IconSet };

std::unique_ptr<TextSection> elementSection(ElementKind kind, TextReading& reading);

} // namespace kestrel::typ
