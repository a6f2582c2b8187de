#pragma once
// The registry of the local machine itself, as the platform reads it (Windows).
#include "installed/registry.h"

namespace kestrel {
class UiPort;
}

namespace kestrel::installed {

class Win32Registry : public RegistrySource {
  public:
    // `ui` shows "Error closing key." when a key cannot be closed.
    explicit Win32Registry(UiPort& ui) : ui_(ui) {}

    // Opened for reading only: map products are registered machine-wide, and asking for more
    // than read access fails for users who are not administrators.
    std::vector<RegKey> subtree(std::string_view path) override;
    std::string realPath(std::string_view registryPath) const override;

  private:
    UiPort& ui_;
};

} // namespace kestrel::installed
