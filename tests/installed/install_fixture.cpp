#include "installed/install_fixture.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace kestrel::test {

std::string lakesImg() {
    return fixtureDir() + "/installed/63248801.img";
}
std::string lakesTdb() {
    return fixtureDir() + "/installed/kestrel_lakes.tdb";
}
std::string hillsTdb() {
    return fixtureDir() + "/installed/kestrel_hills.tdb";
}
std::string dunesTdb() {
    return fixtureDir() + "/installed/kestrel_dunes.tdb";
}
std::string fensTdb() {
    return fixtureDir() + "/installed/kestrel_fens.tdb";
}
std::string lakesInfoXml() {
    return fixtureDir() + "/installed/Info.xml";
}

void makeFolder(const std::string& path) {
    fs::create_directories(path);
}

void writeText(const std::string& path, const std::string& text) {
    makeFolder(fs::path(path).parent_path().string());
    std::ofstream(path, std::ios::binary) << text;
}

std::string canon(const std::string& path) {
    return fs::canonical(path).string();
}

void copyFile(const std::string& from, const std::string& to) {
    makeFolder(fs::path(to).parent_path().string());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

FakeInstall::FakeInstall() {
    makeFolder(prefix() + "/drive_c");
    makeFolder(prefix() + "/dosdevices");
    fs::create_directory_symlink("../drive_c", prefix() + "/dosdevices/c:");
}

std::string FakeInstall::driveC(const std::string& relative) const {
    return prefix() + "/drive_c/" + relative;
}

void FakeInstall::writeSystemReg(const std::string& text) const {
    writeText(prefix() + "/system.reg", text);
}

void FakeInstall::installMap(const std::string& folder, const std::string& tdb) const {
    copyFile(lakesImg(), folder + "/63248801.img");
    copyFile(tdb, folder + "/" + fs::path(tdb).filename().string());
}

std::string FakeInstall::installPackage(const std::string& name, const std::string& tdb,
                                        const std::string& infoXml) const {
    const std::string package = driveC("ProgramData/Garmin/Maps/" + name);
    installMap(package + "/Product1", tdb);
    if (infoXml.empty())
        copyFile(lakesInfoXml(), package + "/Info.xml");
    else
        writeText(package + "/Info.xml", infoXml);
    return package;
}

installed::ProductEnvironment FakeInstall::environment() const {
    installed::ProductEnvironment env;
    env.platform = installed::Platform::Linux;
    env.wineprefix = prefix();
    env.home = root() + "/home";
    env.user = "kes";
    env.fsRoot = root();
    return env;
}

} // namespace kestrel::test
