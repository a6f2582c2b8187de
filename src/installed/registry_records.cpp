#include "installed/registry_records.h"

#include <map>

#include "base/text.h"

namespace kestrel::installed {
namespace {

// "C:\\Maps\\" as some installers write it: doubled backslashes reduced to one.
std::string singleBackslashes(std::string s) {
    while (contains(s, "\\\\")) s = replaceAll(s, "\\\\", "\\");
    return s;
}

} // namespace

std::vector<RegistryRecord> productRecords(const std::vector<RegKey>& subtree,
                                           std::string_view root) {
    std::string lroot = lcase(root);
    while (!lroot.empty() && lroot.back() == '\\') lroot.pop_back();
    std::vector<RegistryRecord> records;
    std::map<std::string, std::size_t> index; // first component below the root -> record
    RegistryRecord own;
    for (const RegKey& key : subtree) {
        const std::string lpath = lcase(key.path);
        if (lpath.size() <= lroot.size() + 1 || !startsWith(lpath, lroot)) {
            own.values.insert(own.values.end(), key.values.begin(), key.values.end());
            continue;
        }
        const std::string rest = lpath.substr(lroot.size() + 1);
        const std::string name = rest.substr(0, rest.find('\\'));
        const auto [it, added] = index.try_emplace(name, records.size());
        if (added) records.emplace_back();
        auto& values = records[it->second].values;
        values.insert(values.end(), key.values.begin(), key.values.end());
    }
    if (!own.values.empty()) records.insert(records.begin(), std::move(own));
    return records;
}

std::optional<RecordPaths> recordPaths(const RegistryRecord& record) {
    RecordPaths p;
    std::string anyTdb;
    for (const RegValue& v : record.values) {
        if (v.kind != RegKind::String) continue;
        const std::string name = lcase(v.name);
        if (name == "tdb" && p.tdb.empty()) p.tdb = v.data;
        if (name == "loc" && p.loc.empty()) p.loc = v.data;
        if (anyTdb.empty() && contains(lcase(v.data), ".tdb")) anyTdb = v.data;
    }
    if (p.tdb.empty()) p.tdb = anyTdb;
    if (p.tdb.empty()) return std::nullopt;
    p.tdb = singleBackslashes(p.tdb);
    p.loc = singleBackslashes(p.loc);
    return p;
}

} // namespace kestrel::installed
