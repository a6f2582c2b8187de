#include "typfile/text_reader.h"

#include <map>

#include "base/code_page_text.h"
#include "base/text.h"
#include "typfile/text_charset.h"
#include "typfile/text_numbers.h"
#include "typfile/text_section.h"

namespace kestrel::typ {

namespace {

// [_id]: FID, ProductCode and CodePage. A value that is no number is left out (FID=12abc and
// FID=0999 keep the family ID as it was, 0 at first); a leading 0 makes an octal number
// (FID=01212 is 650). The file keeps 16 bits of each.
class IdSection : public TextSection {
  public:
    explicit IdSection(TextReading& r) : r_(r), start_(r.scanner.line()) {}

    void line(const std::string& key, const std::string& value) override {
        const auto v = decodeNumber(value);
        if (!v) r_.warn(TextWarning::IdNotANumber, key);
        const std::string k = lcase(key);
        if (k != "fid" && k != "productcode" && k != "codepage")
            r_.scanner.refuse(TextProblem::UnknownIdKey, key);
        if (!v || *v == -1) return;
        std::string_view digits = value;
        if (digits.starts_with("-") || digits.starts_with("+")) digits.remove_prefix(1);
        const bool octal =
            digits.size() > 1 && digits[0] == '0' && digits[1] != 'x' && digits[1] != 'X';
        if (octal && parseNumber(value) != v) r_.warn(TextWarning::IdOctal, key);
        if (*v < 0 || *v > 0xFFFF) r_.warn(TextWarning::IdOutOfRange, key);
        const auto n = static_cast<std::uint16_t>(*v);
        Identity& id = r_.out.typ.identity;
        if (k == "fid") {
            id.familyId = n;
        } else if (k == "productcode") {
            id.productId = n;
        } else {
            id.codePage = n;
            r_.out.codePageGiven = true;
            r_.out.codePageLine = r_.scanner.line();
            if (!hasCodePageTable(n)) r_.warn(TextWarning::CodePageUnknown, std::to_string(n));
        }
    }
    void finish() override {}
    std::uint32_t start() const override { return start_; }

  private:
    TextReading& r_;
    std::uint32_t start_;
};

// [_drawOrder]: Type=CODE,LEVEL. Levels are kept by (level, type) in ascending order, the gaps
// closed; a standard code stands for every subtype, an extended code (0x1TTSS) for its subtype.
class DrawOrderSection : public TextSection {
  public:
    DrawOrderSection(TextReading& r, std::map<std::int32_t, DrawOrderEntry>& order)
        : r_(r), order_(order), start_(r.scanner.line()) {}

    void line(const std::string& key, const std::string& value) override {
        if (lcase(key) != "type") r_.scanner.refuse(TextProblem::UnknownDrawOrderKey, key);
        const std::vector<std::string> parts = split(value, ",");
        if (parts.size() != 2) r_.scanner.refuse(TextProblem::BadDrawOrderType, value);
        const auto code = decodeNumber(parts[0]);
        if (!code) r_.scanner.refuse(TextProblem::BadNumber, parts[0], "Type");
        const auto level = parseNumber(parts[1]);
        if (!level) r_.scanner.refuse(TextProblem::BadNumber, parts[1], "level");
        const bool wide = *code >= 0x100;
        const std::uint32_t type = wide ? static_cast<std::uint32_t>(*code) >> 8 & 0x3FFF
                                        : static_cast<std::uint32_t>(*code) & 0xFF;
        const std::int32_t subtype = wide ? *code & 0xFF : 0;
        // mkgmap's key: level x 65536 + type, in 32 bits.
        const auto at = static_cast<std::int32_t>(static_cast<std::uint32_t>(*level) << 16) +
                        static_cast<std::int32_t>(type);
        auto [it, added] = order_.try_emplace(at);
        if (added) it->second.type = static_cast<std::uint8_t>(type);
        if (type >= 0x100) {
            if (subtype > 0x1F) r_.warn(TextWarning::DrawOrderSubtype, hex(*code));
            it->second.extendedSubtypes |= 1u << (subtype & 31);
        }
    }
    void finish() override {}
    std::uint32_t start() const override { return start_; }

  private:
    TextReading& r_;
    std::map<std::int32_t, DrawOrderEntry>& order_;
    std::uint32_t start_;
};

class IgnoredSection : public TextSection {
  public:
    explicit IgnoredSection(std::uint32_t start) : start_(start) {}
    void line(const std::string&, const std::string&) override {}
    void finish() override {}
    std::uint32_t start() const override { return start_; }

  private:
    std::uint32_t start_;
};

DrawOrder levels(const std::map<std::int32_t, DrawOrderEntry>& order) {
    DrawOrder d;
    std::uint32_t level = 1;
    for (const auto& [at, entry] : order) {
        const std::uint32_t l = static_cast<std::uint32_t>(at >> 16) & 0xFFFF;
        if (d.levels.empty()) d.levels.emplace_back();
        if (l != level) {
            d.levels.emplace_back();
            level = l;
        }
        d.levels.back().push_back(entry);
    }
    return d;
}

class Reader {
  public:
    Reader(const DecodedText& d, TextRead& out)
        : scanner_(d.utf8, d.charset), reading_{scanner_, out, {}} {}

    void read();

  private:
    std::unique_ptr<TextSection> section();
    void skipComments();

    TextScanner scanner_;
    TextReading reading_;
    std::map<std::int32_t, DrawOrderEntry> order_;
};

void Reader::skipComments() {
    Token t;
    do {
        scanner_.skipLine();
        t = scanner_.next();
        if (t.kind == TokenKind::Symbol && t.value == "[") {
            t = scanner_.nextRaw();
            if (t.kind == TokenKind::Word && lcase(t.value) == "end") {
                t = scanner_.nextRaw();
                if (t.kind == TokenKind::Symbol && t.value == "]") break;
            }
        }
    } while (t.kind != TokenKind::End);
}

// After a "[": the section it opens; none for [end] and [_comments] (skipped to its [end]).
std::unique_ptr<TextSection> Reader::section() {
    const Token t = scanner_.next();
    if (t.kind == TokenKind::End) scanner_.refuse(TextProblem::SectionNameMissing);
    const std::string name = lcase(t.value);
    scanner_.expect("]");
    if (name == "end") return nullptr;
    if (name == "_point") return elementSection(ElementKind::Point, reading_);
    if (name == "_line") return elementSection(ElementKind::Line, reading_);
    if (name == "_polygon") return elementSection(ElementKind::Polygon, reading_);
    if (name == "_icons") return elementSection(ElementKind::IconSet, reading_);
    if (name == "_draworder") return std::make_unique<DrawOrderSection>(reading_, order_);
    if (name == "_id") return std::make_unique<IdSection>(reading_);
    if (name == "_comments") {
        skipComments();
        return nullptr;
    }
    reading_.warn(TextWarning::UnknownSection, t.value);
    return std::make_unique<IgnoredSection>(scanner_.line());
}

void Reader::read() {
    std::unique_ptr<TextSection> current;
    while (!scanner_.atEnd()) {
        const Token t = scanner_.next();
        if (t.kind == TokenKind::End) break;
        if (t.kind == TokenKind::Symbol) {
            if (t.value == "\"" || t.value == ";") {
                scanner_.skipLine();
            } else if (t.value == "[") {
                std::unique_ptr<TextSection> next = section();
                if (current) current->finish();
                current = std::move(next);
            }
        } else {
            if (!current) scanner_.refuse(TextProblem::MissingSection);
            const std::string separator = scanner_.nextValue();
            if (separator != "=" && separator != ":")
                scanner_.refuse(TextProblem::ExpectedEquals, separator);
            const std::string value = scanner_.readLine();
            current->line(t.value, value);
        }
        scanner_.skipBlanks();
    }
    // mkgmap adds an element only when the next section line comes.
    if (current && current->pending()) reading_.warn(TextWarning::NoEnd, {}, current->start());
    reading_.out.typ.drawOrder = levels(order_);
}

} // namespace

TextRead readText(std::string_view bytes) {
    TextRead out;
    if (bytes.size() > kMaxTextSize) {
        out.error = TextError{0, TextProblem::TextTooLarge, std::to_string(bytes.size()), {}};
        return out;
    }
    const DecodedText d = decodeText(bytes);
    if (d.unknownCharset) {
        // "cpN" comes from a CodePage line.
        const bool codePage = startsWith(d.charset, "cp") && d.charset.size() > 2 &&
                              d.charset.find_first_not_of("0123456789", 2) == std::string::npos;
        out.error =
            codePage
                ? TextError{d.charsetLine, TextProblem::UnreadableCodePage, d.charset.substr(2), {}}
                : TextError{d.charsetLine, TextProblem::UnknownCharset, d.charset, {}};
        return out;
    }
    if (d.utf8ReadAsCodePage)
        out.notes.push_back({d.charsetLine, TextWarning::TextNotInCodePage, d.charset, {}});
    try {
        Reader(d, out).read();
    } catch (const TextRefusal& r) {
        out.error = r.error;
    }
    return out;
}

} // namespace kestrel::typ
