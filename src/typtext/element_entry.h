#pragma once
// How the element writers take an inventory entry: the code a block is written under, its
// description, and the type that decides whether a block for it was written already.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "mapread/inventory_entry.h"

namespace kestrel {

// The "00" forms of the four-digit codes with a subtype ("0x1305" gives "0x1300") among a list's
// entries that have more than their code. An entry whose own code is such a "00" form gives way
// to the subtype entry, which is written under the "00" code.
class SubtypeSet {
  public:
    explicit SubtypeSet(const std::vector<InventoryEntry>& list);
    bool has(const TypeCode& code) const;

  private:
    std::unordered_set<std::uint32_t> values_;
};

struct BlockEntry {
    TypeCode code;           // the code the block is written under: subtype folded into "00"
    TypeCode listed;         // the code as listed
    std::string description; // `entryDescription`: the text after the code, trimmed
    bool hasBlank = false;   // the entry is more than its code
};

// With `subtypes`, an entry with more than its code and a four-digit code with a subtype is
// written under its "00" form, and a "00" entry that gives way to such an entry is skipped
// (nothing).
std::optional<BlockEntry> blockEntry(const InventoryEntry& entry, const SubtypeSet* subtypes);

// The bare type of a code: the type byte of a four-digit standard code ("0x4A00" gives 0x4A),
// other codes as they are.
std::uint32_t bareType(const TypeCode& code);
// The catalogue key of a code, lower case: "0x" + the bare type ("0x4a", "0x10d01").
std::string bareTypeKey(const TypeCode& code);

// Remembers the types written so far for one kind.
class WrittenTypes {
  public:
    // True the first time a type is seen.
    bool first(const TypeCode& code) { return seen_.insert(code.type()).second; }

  private:
    std::unordered_set<std::uint32_t> seen_;
};

} // namespace kestrel
