#include "installed/product_selection.h"

#include <algorithm>

#include "base/paths.h"
#include "base/text.h"
#include "base/uiport.h"
#include "installed/folder_listing.h"
#include "installed/messages.h"

namespace kestrel::installed {

std::string startFolder(const std::string& lastdir, const std::string& apppath) {
    if (!lastdir.empty() && folderExists(lastdir)) return lastdir;
    const std::string folder = lastdir.empty() ? std::string() : folderOf(lastdir, apppath);
    return !folder.empty() && folderExists(folder) ? folder : apppath;
}

void ProductSelection::setProducts(std::vector<InstalledProduct> products) {
    products_ = std::move(products);
    chosen_.reset();
}

void ProductSelection::showFolder(const std::string& folder, std::string_view patterns) {
    folder_ = folder;
    patterns_ = std::string(patterns);
    ntShown_ = false;
    ntNames_.clear();
    ntPaths_.clear();
    refresh();
}

void ProductSelection::refresh() {
    files_ = listFiles(folder_, patterns_);
}

void ProductSelection::choose(std::size_t index) {
    if (index >= products_.size()) return;
    chosen_ = index;
    showFolder(products_[index].folder, kPatternImg);
    std::vector<std::string> names, paths;
    for (const std::string& sub : listFolders(folder_)) {
        const std::string subfolder = joinPath(folder_, sub);
        for (const std::string& gmp : listFiles(subfolder, "*.gmp")) {
            names.push_back(gmp);
            paths.push_back(joinPath(subfolder, gmp));
        }
    }
    const std::string product1 = std::string(1, kSep) + "product1";
    const bool classicPath = contains(lcase(normalisePath(folder_)), product1);
    // A classic folder shows its IMG files; the GMP files of the subfolders take their place
    // only when there are some (a classic family registered without "product1" in its path
    // would otherwise show an empty list) or when the folder holds no IMG file.
    if (names.empty() || (classicPath && !files_.empty())) return;
    ntShown_ = true;
    ntNames_ = std::move(names);
    ntPaths_ = std::move(paths);
}

std::optional<std::size_t> ProductSelection::search(std::string_view text) {
    const std::string wanted = lcase(text);
    for (std::size_t i = 0; i < products_.size(); ++i) {
        if (contains(lcase(products_[i].name), wanted)) {
            choose(i);
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>>
ProductSelection::open(std::vector<std::size_t> selectedRows) {
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
    std::vector<std::string> paths;
    for (const std::size_t row : selectedRows) {
        if (ntShown_ && row < ntPaths_.size()) paths.push_back(ntPaths_[row]);
        if (!ntShown_ && row < files_.size()) paths.push_back(joinPath(folder_, files_[row]));
    }
    if (paths.empty()) {
        ui_.message(std::string(kSelectFiles));
        return std::nullopt;
    }
    return paths;
}

} // namespace kestrel::installed
