#pragma once
// The text writeText builds and the notes it meets, shared by its section and picture writers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "typfile/rgb.h"
#include "typfile/text_writer.h"

namespace kestrel::typ {

class TextSink {
  public:
    TextSink& operator<<(std::string_view s) {
        text_ += s;
        return *this;
    }
    TextSink& operator<<(char c) {
        text_ += c;
        return *this;
    }
    // Decimal.
    TextSink& number(std::uint32_t v) {
        text_ += std::to_string(v);
        return *this;
    }
    // Upper-case hexadecimal of at least `digits` digits, without a prefix.
    TextSink& hex(std::uint32_t v, int digits) {
        char buf[8];
        int n = 0;
        do {
            buf[n++] = kDigits[v & 15];
            v >>= 4;
        } while ((v != 0 || n < digits) && n < 8);
        while (n > 0) text_ += buf[--n];
        return *this;
    }
    // #RRGGBB.
    TextSink& colour(const Rgb& c) {
        text_ += '#';
        return hex(c.red, 2).hex(c.green, 2).hex(c.blue, 2);
    }
    void endLine() { text_ += "\r\n"; }

    // The element the next notes are about.
    void element(TypPart part, std::optional<ElementCode> code) {
        part_ = part;
        code_ = code;
        elementNotes_ = notes_.size();
    }
    // Once for each element and loss.
    void note(TextLoss loss) {
        for (std::size_t n = elementNotes_; n < notes_.size(); ++n)
            if (notes_[n].loss == loss) return;
        notes_.push_back({loss, part_, code_});
    }
    void note(TextLossNote n) { notes_.push_back(std::move(n)); }

    TextWrite finish() { return {std::move(text_), std::move(notes_)}; }

  private:
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text_;
    std::vector<TextLossNote> notes_;
    TypPart part_ = TypPart::Header;
    std::optional<ElementCode> code_;
    std::size_t elementNotes_ = 0; // the first note of the current element
};

} // namespace kestrel::typ
