#pragma once
// The registry as the product scans see it: keys below the local-machine root with their values,
// read from the Windows registry itself or from a Wine prefix's registry file.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::installed {

enum class RegKind { String, Binary };

struct RegValue {
    std::string name; // as stored; the scans compare names without regard to case
    RegKind kind = RegKind::String;
    std::string data; // the text, or the bytes (a DWORD as its four little-endian bytes)
};

struct RegKey {
    std::string path; // below the local-machine root, "\" separated, as stored
    std::vector<RegValue> values;
};

class RegistrySource {
  public:
    virtual ~RegistrySource() = default;
    // The key at the path (any case) and every key below it, each key before its subkeys; empty
    // when the key does not exist.
    virtual std::vector<RegKey> subtree(std::string_view path) = 0;
    // A path written in the registry ("C:\Maps\") as a path of this machine; empty when it cannot
    // be mapped.
    virtual std::string realPath(std::string_view registryPath) const = 0;
};

} // namespace kestrel::installed
