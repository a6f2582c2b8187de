#pragma once
// The code page a TYP file names, as the editable "Codepage" box holds it: usually one of the
// numbers the box offers, but any text typed there is kept as typed (the state file carries it,
// and writing a TYP text refuses it by name).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// The code pages the "Codepage" box offers, and the only ones a TYP text may name.
inline constexpr std::array<std::string_view, 9> kCodePages{"1250", "1251", "1252", "1253", "1254",
                                                            "1255", "1256", "1257", "1258"};

class CodePage {
  public:
    CodePage() = default;
    explicit CodePage(std::string text) : text_(std::move(text)) {}

    // As typed or read.
    const std::string& text() const { return text_; }
    // What a TYP text names: the text without blanks around it, "1252" when nothing is left.
    std::string name() const;
    // The name is one of `kCodePages`.
    bool offered() const;
    // The 16-bit number of a text of digits (blanks around it allowed); 0 for any other text.
    std::uint16_t number() const;

    bool operator==(const CodePage&) const = default;

  private:
    std::string text_ = "1252";
};

} // namespace kestrel
