#pragma once
// What the selection window does, without the window: the product list, the file list of the
// current folder, the NT file list of products whose maps lie in subfolders, search and Open.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installed/installed_product.h"

namespace kestrel {
class UiPort;
}

namespace kestrel::installed {

// The folder the window starts in: `lastdir` when it is a folder, else its folder, else apppath.
std::string startFolder(const std::string& lastdir, const std::string& apppath);

class ProductSelection {
  public:
    explicit ProductSelection(UiPort& ui) : ui_(ui) {}

    void setProducts(std::vector<InstalledProduct> products);
    const std::vector<InstalledProduct>& products() const { return products_; }

    // Points the file list at the folder with the ";"-separated patterns; hides the NT list.
    void showFolder(const std::string& folder, std::string_view patterns);
    // Lists the current folder again (after files changed on disk).
    void refresh();

    // A click in the product list: the product's folder with the pattern "*.img", or, for an NT
    // product (its folder has no "product1" component, or holds no IMG files, and its subfolders
    // hold GMP files), the GMP files of its subfolders in the NT list.
    void choose(std::size_t index);
    // Search: chooses the first product whose name contains the text (any case); returns its
    // index, or nothing when none matches.
    std::optional<std::size_t> search(std::string_view text);

    // Open: the full paths of the selected rows of the list shown, in list order. With no row
    // selected it shows "Please select img(s)/gmp(s)." and returns nothing.
    std::optional<std::vector<std::string>> open(std::vector<std::size_t> selectedRows);

    const std::string& folder() const { return folder_; }
    const std::string& patterns() const { return patterns_; }
    const std::vector<std::string>& files() const { return files_; }
    bool ntShown() const { return ntShown_; }
    const std::vector<std::string>& ntNames() const { return ntNames_; }
    const std::vector<std::string>& ntPaths() const { return ntPaths_; }
    std::optional<std::size_t> chosen() const { return chosen_; }

  private:
    UiPort& ui_;
    std::vector<InstalledProduct> products_;
    std::optional<std::size_t> chosen_;
    std::string folder_;
    std::string patterns_;
    std::vector<std::string> files_;
    bool ntShown_ = false;
    std::vector<std::string> ntNames_;
    std::vector<std::string> ntPaths_;
};

} // namespace kestrel::installed
