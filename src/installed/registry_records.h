#pragma once
// Splits a scanned registry key into product records and finds, per record, its TDB file and
// its "loc" folder.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installed/registry.h"

namespace kestrel::installed {

// The values of one product: a subkey of the scanned key together with every key below it.
// Values set on the scanned key itself form a record of their own, first.
struct RegistryRecord {
    std::vector<RegValue> values;
};

std::vector<RegistryRecord> productRecords(const std::vector<RegKey>& subtree,
                                           std::string_view root);

struct RecordPaths {
    std::string tdb; // the value named "tdb" (any case), else the first text naming a ".tdb"
    std::string loc; // the value named "loc" (any case); may be empty
};

// The paths a record names, with doubled backslashes reduced to one; nothing when the record
// names no TDB file.
std::optional<RecordPaths> recordPaths(const RegistryRecord& record);

} // namespace kestrel::installed
