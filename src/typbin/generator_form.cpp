#include "typbin/generator_form.h"

#include <cctype>

#include "base/paths.h"
#include "base/text.h"
#include "typbin/messages.h"

namespace kestrel {

namespace {

constexpr std::uint64_t kMaxCode = 16383;    // highest code the numbered kinds may reach
constexpr std::uint64_t kMaxNumbered = 1800; // elements of a POI, line, polygon, route run
constexpr std::uint64_t kMaxExtraPoiId = 65535;
constexpr std::uint64_t kMaxExtraPois = 32767;

bool isExtra(GeneratorKind kind) {
    return kind == GeneratorKind::ExtraPois;
}

} // namespace

std::uint8_t lineWidthValue(std::string_view text) {
    const std::int64_t w = roundHalfEven(val(text));
    return w >= 1 && w <= 10 ? static_cast<std::uint8_t>(w) : kDefaultLineWidth;
}

GeneratorForm::GeneratorForm(GeneratorKind kind, std::string_view defaultFolder)
    : kind_(kind), count_(isExtra(kind) ? "26000" : "1800"),
      path_(joinPath(defaultFolder, kDefaultTypName)), range_{std::string(kGeneratorDefaultRange),
                                                              RangeColour::Normal} {
    chktxt();
}

std::string GeneratorForm::title() const {
    return std::string(kGeneratorTitlePrefix) + std::string(kindName(kind_));
}

std::string GeneratorForm::countLabel() const {
    return std::string(kGeneratorCountPrefix) + std::string(kindName(kind_));
}

bool GeneratorForm::showsIgnoreSubtypes() const {
    return kind_ == GeneratorKind::Lines || kind_ == GeneratorKind::Polygons;
}

bool GeneratorForm::showsHexBoxes() const {
    return isExtra(kind_);
}

bool GeneratorForm::showsLineWidth() const {
    return kind_ == GeneratorKind::Lines || kind_ == GeneratorKind::ActiveRoutes;
}

bool GeneratorForm::startHex() const {
    return isExtra(kind_) ? startHexBox_ : true;
}

bool GeneratorForm::countHex() const {
    return isExtra(kind_) && countHexBox_;
}

void GeneratorForm::setStart(std::string_view text) {
    start_ = text;
    chktxt();
}

void GeneratorForm::setCount(std::string_view text) {
    count_ = text;
    chktxt();
}

void GeneratorForm::setIgnoreSubtypes(bool on) {
    ignoreSubtypes_ = on && showsIgnoreSubtypes();
    chktxt();
}

namespace {

// The field's value re-written in the other base.
std::string convert(const std::string& text, bool toHex) {
    if (text.empty()) return text;
    const std::uint64_t v = fieldValue(text, !toHex);
    return toHex ? hex(v) : std::to_string(v);
}

} // namespace

void GeneratorForm::setStartHex(bool on) {
    if (!isExtra(kind_) || on == startHexBox_) return;
    start_ = convert(start_, on);
    startHexBox_ = on;
}

void GeneratorForm::setCountHex(bool on) {
    if (!isExtra(kind_) || on == countHexBox_) return;
    count_ = convert(count_, on);
    countHexBox_ = on;
}

std::optional<char> GeneratorForm::filterKey(GeneratorField field, char key) const {
    if (key == kBackspace) return key;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const bool hexMode = field == GeneratorField::Start ? startHex() : countHex();
    const bool allowed = hexMode ? isHexDigit(upper) : upper >= '0' && upper <= '9';
    return allowed ? std::optional<char>(upper) : std::nullopt;
}

const RangeLabel& GeneratorForm::chktxt() {
    if (kind_ == GeneratorKind::ActiveRoutes) {
        range_.text = kGeneratorDefaultRange;
        return range_;
    }
    const std::uint64_t count = countNumber();
    if (start_.empty() || count < 1) return range_;
    const std::uint64_t s = startNumber();
    std::string lastPart;
    if (isExtra(kind_)) {
        lastPart = hex(s + count - 1);
    } else {
        const std::uint64_t n = count - 1;
        std::uint64_t last;
        if (!ignoreSubtypes_ || s > 255)
            last = s * 32 + n;
        else if (n < 258)
            last = (s + n) * 32;
        else
            last = 0x2000 + n - (257 - s);
        lastPart = hex(last / 32) + pad2(hex(last % 32));
        range_.colour = last < 16384 ? RangeColour::Normal : RangeColour::OutOfRange;
    }
    range_.text =
        std::string(kRangePrefix) + hex(s) + std::string(kRangeArrow) + padTo(5, lastPart);
    return range_;
}

Validation GeneratorForm::validate() const {
    using Verdict = Validation::Verdict;
    const std::uint64_t n = countNumber();
    if (start_.empty() || count_.empty() || n == 0) return {Verdict::Incomplete, {}};
    const std::uint64_t s = startNumber();

    if (!isExtra(kind_)) {
        if (s != 0 && s * 32 + n - 1 <= kMaxCode) {
            if (n <= kMaxNumbered) return {Verdict::Valid, {}};
            return {Verdict::Refused, std::string(kMaxElements)};
        }
        const auto last =
            static_cast<std::uint64_t>(roundHalfEven(static_cast<double>(s * 32 + n) / 32.0));
        return {Verdict::Refused,
                std::string(kLastTypePrefix) + hex(last) + std::string(kTypeRange)};
    }

    if (s != 0 && s + n - 1 <= kMaxExtraPoiId) {
        if (n <= kMaxExtraPois) return {Verdict::Valid, {}};
        if (countHex()) return {Verdict::Refused, hex(n) + std::string(kMaxExtraPoisHex)};
        return {Verdict::Refused, concat({" ", std::to_string(n), kMaxExtraPoisDec})};
    }
    if (startHex())
        return {Verdict::Refused,
                std::string(kLastIdPrefixHex) + hex(s + n) + std::string(kIdRangeHex)};
    return {Verdict::Refused,
            std::string(kLastIdPrefixDec) + " " + std::to_string(s + n) + std::string(kIdRangeDec)};
}

std::optional<GeneratorRequest> GeneratorForm::accept(UiPort& ui) {
    const Validation v = validate();
    if (v.verdict == Validation::Verdict::Refused) ui.message(v.message);
    if (v.verdict != Validation::Verdict::Valid) return std::nullopt;

    GeneratorRequest r;
    r.kind = kind_;
    r.start = isExtra(kind_) ? std::to_string(startNumber()) : start_;
    r.count = static_cast<std::uint32_t>(countNumber());
    r.path = path_;
    r.ignoreSubtypes = ignoreSubtypes_;
    if (showsLineWidth()) r.lineWidth = lineWidthValue(lineWidth_);

    if (fileExists(path_) &&
        ui.ask(std::string(kOverwriteTyp), Buttons::YesNoCancel) != Answer::Yes)
        return std::nullopt;
    return r;
}

} // namespace kestrel
