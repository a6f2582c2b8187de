#pragma once
// The input logic of the numbered-element generator dialog, without the window: field texts and
// defaults, the key filter, the hexadecimal boxes, the range label (`chktxt`), validation with its
// messages, the line width rule and the overwrite question. A dialog shows these values, forwards
// key presses, box clicks and "Create TYP" here, and closes when accept() returns a request.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/uiport.h"
#include "typbin/generator_request.h"

namespace kestrel {

enum class GeneratorField { Start, Count };

// How the range label is drawn: Normal = start text black and label blue; OutOfRange = both red
// (the last code would not fit below 0x4000).
enum class RangeColour { Normal, OutOfRange };

struct RangeLabel {
    std::string text;
    RangeColour colour = RangeColour::Normal;
};

// Outcome of checking the fields for "Create TYP".
struct Validation {
    enum class Verdict {
        Incomplete, // start or count empty, or count 0: nothing happens
        Refused,    // `message` says why; the dialog stays open
        Valid,
    };
    Verdict verdict = Verdict::Incomplete;
    std::string message;
};

// What "Create TYP" accepts: start and count from 1 to these, and the last element at most
// `maxLast`: its code (type * 0x20 + subtype) for the numbered kinds, its ID for extra POIs.
struct GeneratorLimits {
    std::uint64_t maxStart, maxCount, maxLast;
};
GeneratorLimits generatorLimits(GeneratorKind kind);

inline constexpr char kBackspace = '\b';
inline constexpr std::array<std::string_view, 10> kLineWidthItems{"1", "2", "3", "4", "5",
                                                                  "6", "7", "8", "9", "10"};

class GeneratorForm {
  public:
    // A fresh dialog of the kind; the default path is `defaultFolder` + "untitled.typ". Runs
    // chktxt as the dialog does when it opens.
    GeneratorForm(GeneratorKind kind, std::string_view defaultFolder);

    GeneratorKind kind() const { return kind_; }
    std::string title() const;      // "Create " + kind name
    std::string countLabel() const; // "Number of " + kind name
    bool showsIgnoreSubtypes() const;
    bool showsHexBoxes() const;
    bool showsLineWidth() const;

    const std::string& start() const { return start_; }
    const std::string& count() const { return count_; }
    const std::string& path() const { return path_; }
    const std::string& lineWidth() const { return lineWidth_; }
    bool ignoreSubtypes() const { return ignoreSubtypes_; }
    bool startHex() const; // the start field reads hexadecimal (always, except for extra POIs)
    bool countHex() const; // the count field reads hexadecimal (only extra POIs, by their box)

    // Field edits. Start, count and the ignore-subtypes box recompute the range label.
    void setStart(std::string_view text);
    void setCount(std::string_view text);
    void setPath(std::string_view text) { path_ = text; }
    void setLineWidth(std::string_view text) { lineWidth_ = text; }
    void setIgnoreSubtypes(bool on);
    // The "Hex" boxes of extra POIs: ticking or clearing converts the field's value between
    // decimal and hexadecimal text (an empty field stays empty). No effect for other kinds.
    void setStartHex(bool on);
    void setCountHex(bool on);

    // Key press in the start or count field: the key to insert (upper-cased), or nothing when it
    // is dropped. Backspace always passes.
    std::optional<char> filterKey(GeneratorField field, char key) const;

    // `chktxt`: recomputes the range label (unchanged while the start field is empty or the
    // count is below 1).
    const RangeLabel& chktxt();
    const RangeLabel& rangeLabel() const { return range_; }

    // The checks of "Create TYP", without showing anything.
    Validation validate() const;
    // "Create TYP": validates (a refusal is shown through ui.message), applies the line width
    // rule, asks before replacing an existing file (Yes, No, Cancel; only Yes goes on) and
    // returns the request; nothing while the dialog must stay open.
    std::optional<GeneratorRequest> accept(UiPort& ui);

  private:
    std::uint64_t startNumber() const { return fieldValue(start_, startHex()); }
    std::uint64_t countNumber() const { return fieldValue(count_, countHex()); }

    GeneratorKind kind_;
    std::string start_ = "1";
    std::string count_;
    std::string path_;
    std::string lineWidth_ = "4";
    bool ignoreSubtypes_ = false;
    bool startHexBox_ = false;
    bool countHexBox_ = false;
    RangeLabel range_;
};

// The line width rule: the number of the width list text when it is 1 to 10, else 4.
std::uint8_t lineWidthValue(std::string_view text);

} // namespace kestrel
