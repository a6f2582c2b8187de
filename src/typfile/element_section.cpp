// The element sections [_polygon], [_line], [_point] and [_icons], read as mkgmap reads them.
//
// Type=V: a value from 0x100 on is type x 0x100 + subtype (so 0x10F04 is the extended type 0x10F,
// subtype 4, and 0x10F alone is type 0x01, subtype 0x0F); a smaller one is the type and leaves the
// subtype as it is. SubType=S sets the subtype. TYP editors write Type=0x10F with SubType=0x04 for
// 0x10F04; mkgmap reads that as type 0x01, subtype 0x04, and so does kestrel (with a warning).
// The file keeps type x 32 + subtype in 16 bits.
//
// String, String1 ... (any key starting with "string"): LANG,TEXT where LANG is a number, else
// the whole value is the text in language 0. FontStyle names a font (NoLabel, SmallFont, ...);
// other values (numbers, names with text after them) give the default font. A line's or polygon's
// label colours are stored only with a font style or a day colour.
#include <algorithm>
#include <string_view>

#include "base/text.h"
#include "typfile/text_numbers.h"
#include "typfile/text_section.h"
#include "typfile/xpm_pictures.h"

namespace kestrel::typ {

namespace {

// An icon set record counts its icons in one byte.
constexpr std::size_t kMaxIcons = 255;

struct RawLabel {
    std::int32_t language = 0;
    std::string text;
    std::uint32_t line = 0;
};

// LANG,TEXT; nothing when LANG is a number but no text follows (mkgmap fails there).
std::optional<RawLabel> parseLabel(const std::string& value, std::uint32_t line) {
    const std::size_t comma = value.find(',');
    const auto language = decodeNumber(std::string_view(value).substr(0, comma));
    if (!language) return RawLabel{0, value, line};
    if (comma == std::string::npos) return std::nullopt;
    return RawLabel{*language, value.substr(comma + 1), line};
}

// How many hexadecimal digits a number is written with; 0 when it is not written in hexadecimal.
std::size_t hexDigits(std::string_view v) {
    if (v.starts_with('-')) v.remove_prefix(1);
    for (std::string_view prefix : {"0x", "0X", "#"})
        if (v.starts_with(prefix)) return v.size() - prefix.size();
    return 0;
}

std::int32_t fontStyle(const std::string& v, bool& known) {
    known = true;
    const std::string l = lcase(v);
    if (startsWith(v, "NoLabel") || l == "nolabel") return 1;
    if (l == "smallfont" || l == "small") return 2;
    if (l == "normalfont" || l == "normal") return 3;
    if (l == "largefont" || l == "large") return 4;
    known = l == "default";
    return 0;
}

Rgb rgbOf(const XpmColour& c) {
    return {static_cast<std::uint8_t>(c.red), static_cast<std::uint8_t>(c.green),
            static_cast<std::uint8_t>(c.blue)};
}

TypPart partOf(ElementKind kind) {
    switch (kind) {
    case ElementKind::Polygon:
        return TypPart::Polygons;
    case ElementKind::Line:
        return TypPart::Lines;
    case ElementKind::Point:
        return TypPart::Points;
    case ElementKind::IconSet:
        break;
    }
    return TypPart::IconSets;
}

struct Picture {
    XpmPicture xpm;
    std::uint32_t line = 0;
};

class ElementSection : public TextSection {
  public:
    ElementSection(ElementKind kind, TextReading& r)
        : kind_(kind), r_(r), start_(r.scanner.line()) {}

    void line(const std::string& key, const std::string& value) override;
    void finish() override;
    std::uint32_t start() const override { return start_; }
    bool pending() const override { return true; }

  private:
    bool commonKey(const std::string& key, const std::string& value);
    bool lineKey(const std::string& key, const std::string& value);
    bool pointKey(const std::string& key, const std::string& value);
    Picture picture(const std::string& value);
    std::int32_t number(const std::string& key, const std::string& value);
    ElementCode code();
    Labelling labelling();
    Image image(const Picture& p);
    void polygon(ElementCode code);
    void lineElement(ElementCode code);
    void point(ElementCode code);
    void iconSet(ElementCode code);

    ElementKind kind_;
    TextReading& r_;
    std::uint32_t start_;
    std::int32_t type_ = 0, subtype_ = 0;
    std::int32_t typeValue_ = 0;
    bool typeFourDigits_ = false; // the Type line's hexadecimal number has four digits or more
    std::uint32_t typeLine_ = 0, subtypeLine_ = 0;
    std::vector<RawLabel> labels_;
    std::int32_t font_ = 0;
    std::optional<XpmColour> dayFont_, nightFont_;
    std::uint32_t nightFontLine_ = 0;
    bool hasXpm_ = false;
    std::optional<Picture> xpm_, night_;
    std::vector<Picture> icons_;
    bool useOrientation_ = false;
    std::int32_t lineWidth_ = 0, borderWidth_ = 0;
    std::uint32_t widthLine_ = 0;
};

std::int32_t ElementSection::number(const std::string& key, const std::string& value) {
    const auto n = decodeNumber(value);
    if (!n) r_.scanner.refuse(TextProblem::BadNumber, value, key);
    return *n;
}

Picture ElementSection::picture(const std::string& value) {
    const std::uint32_t at = r_.scanner.line();
    const PictureUse use = kind_ == ElementKind::Polygon ? PictureUse::Polygon
                           : kind_ == ElementKind::Line  ? PictureUse::Line
                                                         : PictureUse::Icon;
    Picture p{readXpm(r_.scanner, value, use), at};
    hasXpm_ = true;
    if (p.xpm.twoTransparent) r_.warn(TextWarning::TwoTransparentColours, {}, at);
    return p;
}

bool ElementSection::commonKey(const std::string& key, const std::string& value) {
    const std::string k = lcase(key);
    if (k == "type") {
        typeValue_ = number(key, value);
        typeLine_ = r_.scanner.line();
        typeFourDigits_ = hexDigits(value) >= 4;
        if (typeValue_ >= 0x100) {
            type_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(typeValue_) >> 8);
            subtype_ = typeValue_ & 0xFF;
        } else {
            type_ = typeValue_ & 0xFF;
        }
    } else if (k == "subtype") {
        subtype_ = number(key, value);
        subtypeLine_ = r_.scanner.line();
    } else if (startsWith(k, "string")) {
        auto label = parseLabel(value, r_.scanner.line());
        if (!label) r_.scanner.refuse(TextProblem::LabelWithoutText, value);
        labels_.push_back(std::move(*label));
    } else if (k == "xpm") {
        xpm_ = picture(value);
    } else if (k == "fontstyle") {
        bool known = true;
        font_ = fontStyle(value, known);
        if (!known) r_.warnOnce(TextWarning::FontStyleUnknown, value);
    } else if (k == "daycustomcolor") {
        dayFont_ = parseColour(r_.scanner, value);
    } else if (k == "nightcustomcolor") {
        nightFont_ = parseColour(r_.scanner, value);
        nightFontLine_ = r_.scanner.line();
    } else if (k != "customcolor" && key != "ExtendedLabels" && k != "comment") {
        return false;
    }
    return true;
}

bool ElementSection::lineKey(const std::string& key, const std::string& value) {
    const std::string k = lcase(key);
    if (k == "useorientation") {
        if (value.empty()) r_.scanner.refuse(TextProblem::EmptyValue, key);
        useOrientation_ = value[0] == 'Y';
    } else if (k == "linewidth") {
        lineWidth_ = number(key, value);
        widthLine_ = r_.scanner.line();
    } else if (k == "borderwidth") {
        borderWidth_ = number(key, value);
        widthLine_ = r_.scanner.line();
    } else {
        return false;
    }
    return true;
}

bool ElementSection::pointKey(const std::string& key, const std::string& value) {
    const std::string k = lcase(key);
    if (kind_ == ElementKind::IconSet) {
        if (k != "iconxpm") return false;
        if (icons_.size() == kMaxIcons) r_.scanner.refuse(TextProblem::TooManyIcons);
        icons_.push_back(picture(value));
    } else if (k == "dayxpm") {
        xpm_ = picture(value);
    } else if (k == "nightxpm") {
        night_ = picture(value);
    } else {
        return false;
    }
    return true;
}

void ElementSection::line(const std::string& key, const std::string& value) {
    if (kind_ == ElementKind::IconSet && lcase(key) == "string") {
        auto label = parseLabel(value, r_.scanner.line());
        if (!label) r_.scanner.refuse(TextProblem::LabelWithoutText, value);
        labels_.push_back(std::move(*label));
        return;
    }
    if (commonKey(key, value)) return;
    if (kind_ == ElementKind::Line && lineKey(key, value)) return;
    if ((kind_ == ElementKind::Point || kind_ == ElementKind::IconSet) && pointKey(key, value))
        return;
    // TYP editors write these; they mean nothing in the file.
    const std::string k = lcase(key);
    if (k == "contourcolor" || k == "extendedlabels") return;
    r_.warnOnce(TextWarning::UnknownKey, key);
}

ElementCode ElementSection::code() {
    const auto type = static_cast<std::uint32_t>(type_);
    // Written 0x0100 to 0x01FF, the code is the standard type's 0xTTSS form, as kestrel writes it.
    if (typeValue_ >= 0x100 && typeValue_ <= 0x1FF && !typeFourDigits_) {
        // A TYP editor's extended code: this type and the SubType line's subtype.
        const std::uint32_t meant =
            static_cast<std::uint32_t>(typeValue_) << 8 |
            (subtypeLine_ ? static_cast<std::uint32_t>(subtype_) & 0xFF : 0);
        r_.warn(TextWarning::TypeWithSubtype, hex(static_cast<std::uint32_t>(typeValue_)),
                typeLine_, hex(meant));
    }
    if (type > 0x7FF) r_.warn(TextWarning::TypeTooLarge, hex(type), typeLine_);
    if (subtype_ < 0 || subtype_ > 0x1F)
        r_.warn(TextWarning::SubtypeTooLarge, hex(static_cast<std::uint32_t>(subtype_)),
                subtypeLine_ ? subtypeLine_ : typeLine_);
    const auto word = static_cast<std::uint16_t>(type << 5 | (subtype_ & 0x1F));
    return ElementCode::fromWord(word);
}

Labelling ElementSection::labelling() {
    Labelling l;
    for (const RawLabel& raw : labels_) {
        if (raw.language < 0 || raw.language > 0xFF)
            r_.warn(TextWarning::LanguageTooLarge, std::to_string(raw.language), raw.line);
        l.labels.push_back({static_cast<std::uint8_t>(raw.language), raw.text});
    }
    l.font = static_cast<FontStyle>(font_);
    if (dayFont_) l.dayColour = rgbOf(*dayFont_);
    // A line or polygon stores its font byte only for a font style or a day colour.
    const bool fontByte = kind_ == ElementKind::Point || font_ != 0 || dayFont_;
    if (nightFont_ && fontByte) l.nightColour = rgbOf(*nightFont_);
    if (nightFont_ && !fontByte) r_.warn(TextWarning::NightFontColourLost, {}, nightFontLine_);
    return l;
}

Image ElementSection::image(const Picture& p) {
    if (!p.xpm.hasPixels) throw TextRefusal{{p.line, TextProblem::EmptyPicture, {}, {}}};
    return iconImage(p.xpm);
}

void ElementSection::polygon(ElementCode code) {
    Polygon p;
    p.code = code;
    const PairedColours c = pairedColours(xpm_->xpm, false);
    if (c.nightLeftOut) r_.warn(TextWarning::SolidNightTransparent, {}, xpm_->line);
    p.day = c.day;
    p.night = c.night;
    p.pattern = c.pattern;
    p.labelling = labelling();
    r_.out.typ.polygons.push_back(std::move(p));
}

void ElementSection::lineElement(ElementCode code) {
    Line l;
    l.code = code;
    const std::uint8_t width = static_cast<std::uint8_t>(lineWidth_);
    const std::uint8_t border = static_cast<std::uint8_t>(borderWidth_);
    const PairedColours c = pairedColours(xpm_->xpm, border != 0);
    if (c.nightLeftOut) r_.warn(TextWarning::SolidNightTransparent, {}, xpm_->line);
    if (c.thirdLeftOut) r_.warn(TextWarning::LineColourUnused, {}, xpm_->line);
    l.day = c.day;
    l.night = c.night;
    l.pattern = c.pattern;
    l.useOrientation = useOrientation_;
    if (!l.pattern) {
        l.lineWidth = width;
        const bool bordered = l.day.background || (l.night && l.night->background);
        if (bordered) l.borderWidth = border;
        if (!bordered && border) r_.warn(TextWarning::BorderWithoutColour, {}, widthLine_);
        const bool fits = lineWidth_ >= 0 && lineWidth_ <= 0xFF && borderWidth_ >= 0 &&
                          borderWidth_ <= 0xFF && (!bordered || width + 2 * border <= 0xFF);
        if (!fits) r_.warn(TextWarning::WidthTooLarge, {}, widthLine_);
    }
    l.labelling = labelling();
    r_.out.typ.lines.push_back(std::move(l));
}

void ElementSection::point(ElementCode code) {
    if (!xpm_) r_.scanner.refuse(TextProblem::MissingDayPicture);
    Point p;
    p.code = code;
    p.day = image(*xpm_);
    if (night_) {
        p.night = image(*night_);
        if (p.night->width != p.day.width || p.night->height != p.day.height)
            throw TextRefusal{{night_->line, TextProblem::NightPictureSize, {}, {}}};
    }
    p.labelling = labelling();
    r_.out.typ.points.push_back(std::move(p));
}

void ElementSection::iconSet(ElementCode code) {
    IconSet s;
    s.code = code;
    if (!labels_.empty()) s.label = labels_.front().text;
    if (labels_.size() > 1) r_.warn(TextWarning::IconLabelsIgnored, {}, labels_[1].line);
    for (const Picture& p : icons_) s.icons.push_back(image(p));
    r_.out.typ.iconSets.push_back(std::move(s));
}

void ElementSection::finish() {
    if (kind_ != ElementKind::IconSet && !hasXpm_) r_.scanner.refuse(TextProblem::MissingPicture);
    const ElementCode c = code();
    switch (kind_) {
    case ElementKind::Polygon:
        polygon(c);
        break;
    case ElementKind::Line:
        lineElement(c);
        break;
    case ElementKind::Point:
        point(c);
        break;
    case ElementKind::IconSet:
        iconSet(c);
        if (!labels_.empty())
            r_.out.labelLines.push_back(
                {TypPart::IconLabels, c, {0, labels_[0].text}, labels_[0].line});
        return;
    }
    for (const RawLabel& l : labels_)
        r_.out.labelLines.push_back(
            {partOf(kind_), c, {static_cast<std::uint8_t>(l.language), l.text}, l.line});
}

} // namespace

std::unique_ptr<TextSection> elementSection(ElementKind kind, TextReading& reading) {
    return std::make_unique<ElementSection>(kind, reading);
}

} // namespace kestrel::typ
