// The platform on Windows.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/platform/platform.h"

namespace kestrel::platform {
namespace {

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// "E:\" for a path on drive E:; empty for a path without a drive.
std::string driveRoot(const std::string& path) {
    const auto colon = path.find(':');
    return colon == std::string::npos ? std::string() : path.substr(0, colon + 1) + "\\";
}

std::string quoted(const std::vector<std::string>& args) {
    std::string out;
    for (const std::string& a : args) {
        if (!out.empty()) out += ' ';
        out += '"' + a + '"';
    }
    return out;
}

bool shellOpen(const std::string& file, const std::string& params, const std::string& workdir) {
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", file.c_str(), params.empty() ? nullptr : params.c_str(),
                      workdir.c_str(), SW_SHOWNORMAL));
    return r > 32;
}

// Registry keys nest; the Garmin keys are a few levels deep. A bound keeps a looping or
// pathological hive from running away.
constexpr int kMaxDepth = 8;
constexpr DWORD kMaxName = 16384; // longest value or key name, in characters
constexpr DWORD kMaxData = 1 << 20;

void readKey(HKEY parent, const std::string& path, const std::string& sub, int depth,
             std::vector<RegKey>& out, bool& closeFailed) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, sub.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    RegKey k{path, {}};
    std::string name(kMaxName, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameLen = kMaxName, type = 0, dataLen = 0;
        if (RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type, nullptr, &dataLen) !=
            ERROR_SUCCESS)
            break;
        if (dataLen > kMaxData) continue;
        std::string data(dataLen, '\0');
        nameLen = kMaxName;
        if (RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataLen) != ERROR_SUCCESS)
            continue;
        data.resize(dataLen);
        RegValue v;
        v.name.assign(name.data(), nameLen);
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            v.kind = RegKind::String;
            v.data = data.substr(0, data.find('\0'));
        } else {
            v.kind = RegKind::Binary;
            v.data = std::move(data);
        }
        k.values.push_back(std::move(v));
    }
    out.push_back(std::move(k));
    if (depth < kMaxDepth) {
        for (DWORD i = 0;; ++i) {
            DWORD nameLen = kMaxName;
            if (RegEnumKeyExA(key, i, name.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            const std::string child(name.data(), nameLen);
            readKey(key, path + "\\" + child, child, depth + 1, out, closeFailed);
        }
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) closeFailed = true;
}

} // namespace

std::string programFolder() {
    std::error_code ec;
    return std::filesystem::current_path(ec).string();
}

std::string homeFolder() {
    return environment("USERPROFILE");
}

std::string userName() {
    return environment("USERNAME");
}

std::string removableVolume(const std::string& path) {
    return driveRoot(backslashed(path));
}

DriveState volumeState(const std::string& root) {
    if (root.empty()) return DriveState::Missing;
    const UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return DriveState::Missing;
    DWORD serial = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return DriveState::NotReady;
    return DriveState::Ready;
}

DriveState chkdrive(const std::string& path) {
    return volumeState(removableVolume(path));
}

bool isFullPath(const std::string& path) {
    return path.find(':') != std::string::npos;
}

std::string volumeName(const std::string& path) {
    std::string drive = path.substr(0, path.find(':'));
    for (char& c : drive)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return drive;
}

std::vector<std::string> removableDrives() {
    std::vector<std::string> roots;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (!(drives & (1u << (letter - 'A')))) continue;
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE) roots.push_back(root);
    }
    return roots;
}

std::vector<std::string> launchCommand(const std::string& program,
                                       const std::vector<std::string>& args) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& workdir) {
    return shellOpen(program, quoted(args), workdir);
}

std::string defaultOpener() {
    return {};
}

bool openWithDefault(const std::string&, const std::string& pathOrUrl, const std::string& workdir) {
    return shellOpen(pathOrUrl, {}, workdir);
}

std::vector<RegKey> machineRegistry(std::string_view path, bool& closeFailed) {
    closeFailed = false;
    std::string p(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    std::vector<RegKey> keys;
    readKey(HKEY_LOCAL_MACHINE, p, p, 0, keys, closeFailed);
    return keys;
}

std::tm localTime(std::time_t moment) {
    std::tm tm{};
    localtime_s(&tm, &moment);
    return tm;
}

bool stderrIsTerminal() {
    // The progress line is drawn with terminal escapes that the Windows console does not take.
    return false;
}

bool syncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

std::optional<MappedFile> MappedFile::open(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<MappedFile> mapped;
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping != nullptr) {
            // The view keeps the mapping alive once both handles are closed.
            if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0))
                mapped = MappedFile(static_cast<const std::uint8_t*>(view),
                                    static_cast<std::size_t>(size.QuadPart));
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
    return mapped;
}

void MappedFile::release() {
    if (data_) UnmapViewOfFile(data_);
    data_ = nullptr;
    size_ = 0;
}

} // namespace kestrel::platform
