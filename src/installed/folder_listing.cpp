#include "installed/folder_listing.h"

#include <algorithm>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel::installed {
namespace {

bool wildcard(std::string_view name, std::string_view pattern) {
    // Iterative match with one back-track point for the last "*".
    std::size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void sortCaseless(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lcase(a), lb = lcase(b);
        return la != lb ? la < lb : a < b;
    });
}

template <typename Keep> std::vector<std::string> list(const std::string& folder, Keep keep) {
    std::vector<std::string> names;
    for (FolderEntry& e : folderEntries(folder))
        if (keep(e.name, e.folder)) names.push_back(std::move(e.name));
    sortCaseless(names);
    return names;
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view patterns) {
    const std::string lname = lcase(name);
    for (const std::string& p : split(lcase(patterns), ";")) {
        const std::string pattern = trim(p);
        if (!pattern.empty() && wildcard(lname, pattern)) return true;
    }
    return false;
}

std::vector<std::string> listFiles(const std::string& folder, std::string_view patterns) {
    return list(folder, [&](const std::string& name, bool isFolder) {
        return !isFolder && matchesPattern(name, patterns);
    });
}

std::vector<std::string> listFolders(const std::string& folder) {
    return list(folder, [](const std::string&, bool isFolder) { return isFolder; });
}

std::string findChild(const std::string& folder, std::string_view name) {
    if (name.empty()) return {};
    const std::string exact = joinPath(folder, name);
    if (fileExists(exact) || folderExists(exact)) return exact;
    const std::string wanted = lcase(name);
    for (const std::string& child : list(folder, [](const std::string&, bool) { return true; }))
        if (lcase(child) == wanted) return joinPath(folder, child);
    return {};
}

std::string resolveCaseless(const std::string& base, std::string_view relative) {
    std::string path = base;
    for (const std::string& part : split(normalisePath(relative), std::string(1, kSep))) {
        if (part.empty() || part == ".") continue;
        const std::string found = part == ".." ? std::string() : findChild(path, part);
        path = found.empty() ? joinPath(path, part) : found;
    }
    return path;
}

} // namespace kestrel::installed
