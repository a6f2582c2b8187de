#pragma once
// Folder listings for the product scans and the file lists. Garmin names files and folders in
// any case ("Product1", "63240101.IMG"), so names and patterns are compared without regard to
// case on every platform.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::installed {

// True when the name matches one of the ";"-separated wildcard patterns ("*" any run, "?" one
// character), without regard to case.
bool matchesPattern(std::string_view name, std::string_view patterns);

// Names of the files in the folder that match the patterns, sorted without regard to case;
// empty when the folder cannot be read.
std::vector<std::string> listFiles(const std::string& folder, std::string_view patterns);
// Names of the subfolders, sorted the same way.
std::vector<std::string> listFolders(const std::string& folder);

// Path of the folder's child named `name` in any case (the exact name first); empty when there
// is none.
std::string findChild(const std::string& folder, std::string_view name);
// base + the components of `relative` ("/" or "\" separated), each matched in any case where the
// exact name does not exist; components that are not found are appended as written.
std::string resolveCaseless(const std::string& base, std::string_view relative);

} // namespace kestrel::installed
