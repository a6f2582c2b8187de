#pragma once
// Path utilities. Both "/" and "\" count as separators when a path is taken apart; paths are put
// together with the platform's own separator.
#include <string>
#include <string_view>

#include "base/platform/platform.h"

namespace kestrel {

inline constexpr char kSep = platform::kPathSeparator;

// Every separator turned into the platform's own.
std::string normalisePath(std::string_view path);
// folder + separator + name, without doubling a separator the folder already ends with.
std::string joinPath(std::string_view folder, std::string_view name);

// "base name": the last component, cut before its first ".".
std::string baseName(std::string_view path);
// The last component.
std::string fileName(std::string_view path);
// A UTF-8 path of more than `maxChars` characters with its middle left out ("/home/…/a.img"):
// the first third and the rest from the end, where the file's own name is.
std::string shortenedPath(std::string_view path, std::size_t maxChars);
// "folder of": the path without its last component and without the trailing separator; when
// the last component is empty or holds "*", `apppath`.
std::string folderOf(std::string_view path, std::string_view apppath);
// "path part" modes 0, 1, 2, 3 and 222.
std::string pathPart(std::string_view path, int mode);

bool fileExists(const std::string& path); // a regular file (or anything but a folder)
bool folderExists(const std::string& path);
// `chkdir`: creates every missing folder along the path; the walk stops at the first component
// holding a "." (taken to be the file name). Returns false when a folder could not be made.
bool chkdir(std::string_view path);
// Creates the folder and its parents (for folders whose names may hold dots).
bool makeFolders(const std::string& folder);
// True when a file can be created in the folder.
bool folderWritable(const std::string& folder);

} // namespace kestrel
