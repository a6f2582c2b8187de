#pragma once
// The product scans of the selection window, in their order: the four registry keys, the shared
// map-package folder, then Garmin devices mounted as storage. A product whose family ID is
// already listed is not listed again.
#include <memory>
#include <set>
#include <vector>

#include "installed/installed_product.h"
#include "installed/product_environment.h"
#include "installed/registry.h"

namespace kestrel {
class UiPort;
}

namespace kestrel::installed {

// The registry keys of scans 0 to 3, below the local-machine root. Each is read in the native
// view and in the 32-bit view below "SOFTWARE\Wow6432Node", where 64-bit Windows keeps them.
inline constexpr const char* kScanKeys[] = {
    "SOFTWARE\\Garmin\\mapsource\\families\\",
    "SOFTWARE\\Garmin\\mapsource\\familiesnt\\",
    "SOFTWARE\\Garmin\\mapsource\\Products\\",
    "SOFTWARE\\Garmin\\Installed\\",
};
inline constexpr int kScanPackages = 4;
inline constexpr int kScanDevices = 5;
inline constexpr int kScanCount = 6;

// The key path of a scan in the 32-bit view.
std::string wow6432Key(std::string_view key);

class ProductScanner {
  public:
    // `registry` may be null (no registry: scans 0 to 3 find nothing).
    ProductScanner(RegistrySource* registry, ProductEnvironment env);

    // `get_regvals`: one scan, adding what it finds to the product list.
    void get_regvals(int scan);
    // Every scan in order, from an empty product list and guard.
    std::vector<InstalledProduct> scanAll();

    const std::vector<InstalledProduct>& products() const { return products_; }

  private:
    void scanRegistryKey(int scan, const std::string& key);
    void scanPackages();
    void scanDevices();
    // Adds the product unless its family ID is already listed.
    void add(InstalledProduct p);

    RegistrySource* registry_;
    ProductEnvironment env_;
    std::set<std::uint16_t> guard_; // family IDs listed so far
    std::vector<InstalledProduct> products_;
};

// The registry of this machine: the Windows registry, or the Wine prefix's elsewhere.
std::unique_ptr<RegistrySource> openRegistry(const ProductEnvironment& env, UiPort& ui);
// Every scan, on this machine's registry and folders.
std::vector<InstalledProduct> scanInstalledProducts(const ProductEnvironment& env, UiPort& ui);

} // namespace kestrel::installed
