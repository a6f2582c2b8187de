#pragma once
// The registry as the product scans see it: keys below the local-machine root with their values,
// read from the Windows registry itself or from a Wine prefix's registry file.
#include <string>
#include <string_view>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::installed {

// Keys and values as the platform reads them from Windows' registry; the scans compare value
// names without regard to case.
using platform::RegKey;
using platform::RegKind;
using platform::RegValue;

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
