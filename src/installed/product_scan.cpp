#include "installed/product_scan.h"

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "installed/folder_listing.h"
#include "installed/info_xml.h"
#include "installed/messages.h"
#include "installed/registry_records.h"
#include "installed/tdb_summary.h"
#include "installed/win32_registry.h"
#include "installed/wine_registry.h"

namespace kestrel::installed {
namespace {

constexpr int kScanInstalled = 3;

std::string firstFile(const std::string& folder, std::string_view pattern) {
    const auto names = listFiles(folder, pattern);
    return names.empty() ? std::string() : joinPath(folder, names.front());
}

// The TDB file a package description names: in the package's map folder, or beside the XML.
std::string describedTdb(const std::string& folder, const MapPackageInfo& info) {
    if (info.tdb.empty()) return {};
    for (const std::string& candidate : {resolveCaseless(folder, info.directory + "/" + info.tdb),
                                         resolveCaseless(folder, info.tdb)})
        if (fileExists(candidate)) return candidate;
    return {};
}

MapPackageInfo readDescription(const std::string& xmlPath) {
    if (xmlPath.empty()) return {};
    return readInfoXml(readFile(xmlPath, kInfoXmlLimit).value_or(""));
}

} // namespace

std::string_view sourceName(ProductSource source) {
    switch (source) {
    case ProductSource::Families:
        return "families";
    case ProductSource::FamiliesNt:
        return "familiesnt";
    case ProductSource::Products:
        return "products";
    case ProductSource::Installed:
        return "installed";
    case ProductSource::MapPackages:
        return "gmap";
    case ProductSource::Devices:
        return "device";
    }
    return "";
}

std::string wow6432Key(std::string_view key) {
    return "SOFTWARE\\Wow6432Node\\" + std::string(key.substr(key.find('\\') + 1));
}

ProductScanner::ProductScanner(RegistrySource* registry, ProductEnvironment env)
    : registry_(registry), env_(std::move(env)) {}

void ProductScanner::get_regvals(int scan) {
    // A scan that fails is skipped silently; the products found before stay listed.
    try {
        if (scan >= 0 && scan < kScanPackages) {
            scanRegistryKey(scan, kScanKeys[scan]);
            scanRegistryKey(scan, wow6432Key(kScanKeys[scan]));
        } else if (scan == kScanPackages) {
            scanPackages();
        } else if (scan == kScanDevices) {
            scanDevices();
        }
    } catch (const std::exception&) {
    }
}

std::vector<InstalledProduct> ProductScanner::scanAll() {
    guard_.clear();
    products_.clear();
    for (int scan = 0; scan < kScanCount; ++scan) get_regvals(scan);
    return products_;
}

void ProductScanner::add(InstalledProduct p) {
    if (p.familyId && !guard_.insert(*p.familyId).second) return;
    products_.push_back(std::move(p));
}

void ProductScanner::scanRegistryKey(int scan, const std::string& key) {
    if (!registry_) return;
    for (const RegistryRecord& record : productRecords(registry_->subtree(key), key)) {
        const auto paths = recordPaths(record);
        if (!paths) continue;
        const std::string tdbNamed = registry_->realPath(paths->tdb);
        std::string folder = registry_->realPath(paths->loc);
        if (paths->loc.empty()) folder = tdbNamed.empty() ? std::string() : folderOf(tdbNamed, "");
        if (folder.empty()) continue;
        const std::string checked =
            scan == kScanInstalled ? resolveCaseless(folder, "product1") : folder;
        if (!folderExists(checked)) continue;

        std::string tdb = fileExists(tdbNamed) ? tdbNamed : firstFile(checked, "*.tdb");
        if (tdb.empty()) tdb = describedTdb(checked, readDescription(firstFile(checked, "*.xml")));
        const auto summary = get_tdb(tdb);
        if (!summary) continue;
        add({summary->familyName, paths->loc.empty() ? folderOf(tdb, "") : folder,
             summary->familyId, static_cast<ProductSource>(scan)});
    }
}

void ProductScanner::scanPackages() {
    for (const std::string& maps : mapPackageFolders(env_)) {
        for (const std::string& name : listFolders(maps)) {
            const std::string package = joinPath(maps, name);
            const std::string product1 = findChild(package, "Product1");
            if (product1.empty() || !folderExists(product1)) continue;
            const MapPackageInfo info = readDescription(findChild(package, "Info.xml"));
            std::string tdb = describedTdb(package, info);
            if (tdb.empty()) tdb = firstFile(product1, "*.tdb");
            if (tdb.empty()) tdb = firstFile(package, "*.tdb");
            const auto summary = get_tdb(tdb);
            std::string entry = name;
            if (endsWith(lcase(entry), ".gmap")) entry.resize(entry.size() - 5);
            add({entry, product1, summary ? std::optional(summary->familyId) : info.familyId(),
                 ProductSource::MapPackages});
        }
    }
}

void ProductScanner::scanDevices() {
    for (const std::string& volume : deviceVolumes(env_)) {
        const std::string garmin = findChild(volume, "Garmin");
        if (garmin.empty() || listFiles(garmin, "*.img").empty()) continue;
        std::string label = fileName(volume);
        if (label.empty()) label = volume; // a drive root
        add({label + std::string(kDeviceSuffix), garmin, std::nullopt, ProductSource::Devices});
    }
}

std::unique_ptr<RegistrySource> openRegistry(const ProductEnvironment& env, UiPort& ui) {
    // Windows has the registry itself; elsewhere the Wine prefix's registry file stands in.
    if constexpr (platform::kSystem == platform::System::Windows)
        return std::make_unique<Win32Registry>(ui);
    const std::string prefix = env.winePrefix();
    if (prefix.empty()) return nullptr;
    return std::make_unique<WineRegistry>(
        prefix, std::vector<std::string>{"Software\\Garmin", "Software\\Wow6432Node\\Garmin"});
}

std::vector<InstalledProduct> scanInstalledProducts(const ProductEnvironment& env, UiPort& ui) {
    const auto registry = openRegistry(env, ui);
    ProductScanner scanner(registry.get(), env);
    return scanner.scanAll();
}

} // namespace kestrel::installed
