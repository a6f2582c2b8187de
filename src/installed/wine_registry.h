#pragma once
// The registry of a Wine prefix, read from its "system.reg" text file (the local-machine hive),
// and the prefix's drive letters ("dosdevices") for the paths found in it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "installed/registry.h"

namespace kestrel::installed {

// Larger registry files are not read.
inline constexpr std::uint64_t kSystemRegLimit = std::uint64_t(512) << 20;

// Parses system.reg text: key lines "[Software\\Garmin\\...] 1786062085", values
// "name"="text", "name"=str(2):"text", "name"=dword:0000000a, "name"=hex:78,03 (also hex(N):,
// wrapped over lines ending in "\"), @= for the default value, with Wine's escapes ("\\", "\"",
// "\n", "\xNNNN", octal). Only keys at or below one of `keep` (any case) are returned; escaped
// text comes out as UTF-8.
std::vector<RegKey> parseSystemReg(std::string_view text, const std::vector<std::string>& keep);

class WineRegistry : public RegistrySource {
  public:
    // Reads `prefix`/system.reg, keeping the keys below `keep`. A missing file gives no keys.
    WineRegistry(std::string prefix, const std::vector<std::string>& keep);

    std::vector<RegKey> subtree(std::string_view path) override;
    // "C:\Maps\" through the prefix's dosdevices link for "c:" (drive_c when the link is
    // missing), each component matched in any case.
    std::string realPath(std::string_view registryPath) const override;

  private:
    std::string prefix_;
    std::vector<RegKey> keys_;
};

} // namespace kestrel::installed
