#pragma once
// How the element writers take an inventory entry apart: its code, its label, and the type value
// that decides whether a block for it was written already.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrel {

// The "00" forms of the four-digit codes with a subtype ("0x1305" gives "0x1300") found in a
// list. An entry whose own code is such a "00" form gives way to the subtype entry, which is
// written under the "00" code.
class SubtypeSet {
  public:
    explicit SubtypeSet(const std::vector<std::string>& list);
    bool has(std::string_view code) const { return codes_.count(std::string(code)) != 0; }

  private:
    std::unordered_set<std::string> codes_;
};

struct EntryParts {
    std::string code; // "0x" + digits, case as in the entry, subtype folded into "00"
    std::string word; // the entry's first word as written
    std::string rest; // the text after the first blank, trimmed
    bool hasBlank = false;
};

// Splits an entry (tabs count as blanks). With `subtypes`, a labelled four-digit code with a
// subtype is written under its "00" form, and a "00" entry that gives way to such an entry is
// skipped. Nothing when the entry is skipped or its code is not "0x" + one to five hexadecimal
// digits (`malformed` tells which).
std::optional<EntryParts> splitEntry(std::string_view entry, const SubtypeSet* subtypes,
                                     bool& malformed);

// "0x" + one to five hexadecimal digits.
bool isTypeCode(std::string_view code);

// The digits after "0x".
std::string codeDigits(std::string_view code);

// The type a compiler files the code under: a type below 0x100 is the type byte with subtype 0,
// so "0x06" and "0x0600" are one type. One block is written per type value and kind.
std::uint32_t typeValue(std::string_view code);

// The catalogue key of a code, lower case: the bare type of a four-digit standard code ("0x4A00"
// gives "0x4a"); other codes as they are.
std::string bareTypeKey(std::string_view code);

// Remembers the type values written so far for one kind.
class WrittenTypes {
  public:
    // True the first time a type value is seen.
    bool first(std::string_view code) { return seen_.insert(typeValue(code)).second; }

  private:
    std::unordered_set<std::uint32_t> seen_;
};

} // namespace kestrel
