#pragma once
// The name/style texts as `match` searches them: each table indexed once by the codes it holds,
// so that a batch looks each entry up without reading the whole table again.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "mapread/style_texts.h"

namespace kestrel {

class LabelIndex {
  public:
    explicit LabelIndex(const std::string& table);

    // The label of the table line that the first occurrence of `code` (lower case) as a
    // substring of the lower-cased table starts: the line's text from its first blank (or, when
    // it has none, its first tab) on. Nothing when the code is empty or does not occur.
    std::optional<std::string> label(std::string_view code) const;

  private:
    std::size_t find(std::string_view code) const;

    const std::string& table_;
    std::string lowered_;
    // Every substring of 3 to 7 characters that starts with "0x", packed, with the position of
    // its first occurrence. Any occurrence of a code "0x..." starts at some "0x", so a code of
    // that length is found here or nowhere; other codes are searched in the text.
    std::unordered_map<std::uint64_t, std::size_t> firsts_;
};

// The six tables of one batch, each indexed the first time `match` uses it.
class LabelTables {
  public:
    explicit LabelTables(const StyleTexts& texts) : texts_(texts) {}
    const LabelIndex& slot(int a);

  private:
    const StyleTexts& texts_;
    std::array<std::optional<LabelIndex>, 6> indexes_;
};

} // namespace kestrel
