// The platform on Windows.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <filesystem>
#include <system_error>

#include "base/platform/platform.h"

namespace kestrel::platform {
namespace {

namespace fs = std::filesystem;

// UTF-8 to the system's UTF-16 and back; a byte that is not UTF-8 becomes U+FFFD.
std::wstring wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string utf8(std::wstring_view w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// "E:\" for a path on drive E:, "\\server\share\" for one on a network share; empty for a path
// without either.
std::string driveRoot(const std::string& path) {
    if (path.starts_with("\\\\")) {
        const auto server = path.find('\\', 2);
        if (server == std::string::npos) return {};
        const auto share = path.find('\\', server + 1);
        return (share == std::string::npos ? path : path.substr(0, share)) + "\\";
    }
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
    const auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"open", wide(file).c_str(), params.empty() ? nullptr : wide(params).c_str(),
        wide(workdir).c_str(), SW_SHOWNORMAL));
    return r > 32;
}

// Registry keys nest; the Garmin keys are a few levels deep. A bound keeps a looping or
// pathological hive from running away.
constexpr int kMaxDepth = 8;
constexpr DWORD kMaxName = 16384; // longest value or key name, in characters
constexpr DWORD kMaxData = 1 << 20;

void readKey(HKEY parent, const std::string& path, const std::wstring& sub, int depth,
             std::vector<RegKey>& out, bool& closeFailed) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, sub.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    RegKey k{path, {}};
    std::wstring name(kMaxName, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameLen = kMaxName, type = 0, dataLen = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type, nullptr, &dataLen) !=
            ERROR_SUCCESS)
            break;
        if (dataLen > kMaxData) continue;
        std::string data(dataLen, '\0');
        nameLen = kMaxName;
        if (RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataLen) != ERROR_SUCCESS)
            continue;
        data.resize(dataLen);
        RegValue v;
        v.name = utf8(std::wstring_view(name.data(), nameLen));
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            v.kind = RegKind::String;
            std::wstring text(data.size() / sizeof(wchar_t), L'\0');
            data.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
            v.data = utf8(text.substr(0, text.find(L'\0')));
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
            if (RegEnumKeyExW(key, i, name.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            const std::wstring child(name.data(), nameLen);
            readKey(key, path + "\\" + utf8(child), child, depth + 1, out, closeFailed);
        }
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) closeFailed = true;
}

} // namespace

fs::path fsPath(std::string_view utf8Text) {
    return fs::path(wide(utf8Text));
}

std::string utf8Path(const fs::path& path) {
    return utf8(path.native());
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

std::string fullPath(const std::string& path) {
    const std::wstring w = wide(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetFullPathNameW(w.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return path;
        if (n < full.size()) return utf8(std::wstring_view(full.data(), n));
        full.resize(n);
    }
}

std::vector<std::string> programArguments(int argc, char** argv) {
    int n = 0;
    LPWSTR* wargv = CommandLineToArgvW(GetCommandLineW(), &n);
    if (wargv == nullptr) return {argv, argv + argc};
    std::vector<std::string> args;
    for (int i = 0; i < n; ++i) args.push_back(utf8(wargv[i]));
    LocalFree(wargv);
    return args;
}

std::string environmentVariable(const char* name) {
    const std::wstring wname = wide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD n =
            GetEnvironmentVariableW(wname.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return {};
        if (n < value.size()) return utf8(std::wstring_view(value.data(), n));
        value.resize(n);
    }
}

void binaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string programFolder() {
    // The module's own path: the program's data lies beside it, wherever it was started from.
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return fullPath(".");
        if (n < exe.size()) {
            exe.resize(n);
            return utf8Path(fs::path(exe).parent_path());
        }
        exe.resize(exe.size() * 2);
    }
}

std::string homeFolder() {
    return environmentVariable("USERPROFILE");
}

std::string userName() {
    return environmentVariable("USERNAME");
}

std::string removableVolume(const std::string& path) {
    return driveRoot(backslashed(path));
}

DriveState volumeState(const std::string& root) {
    if (root.empty()) return DriveState::Missing;
    const std::wstring wroot = wide(root);
    const UINT type = GetDriveTypeW(wroot.c_str());
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return DriveState::Missing;
    DWORD serial = 0;
    if (!GetVolumeInformationW(wroot.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return DriveState::NotReady;
    return DriveState::Ready;
}

DriveState chkdrive(const std::string& path) {
    // A relative path lives on the current folder's drive.
    return volumeState(removableVolume(fullPath(path)));
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
        if (GetDriveTypeW(wide(root).c_str()) == DRIVE_REMOVABLE) roots.push_back(root);
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
    readKey(HKEY_LOCAL_MACHINE, p, wide(p), 0, keys, closeFailed);
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

void takeOwner(std::FILE*, const std::filesystem::path&) {}

// Windows puts a new thread on an idle processor where it has one.
std::thread threadBeside(std::function<void()> work) {
    return std::thread(std::move(work));
}

// Large pages need a privilege users rarely have: ordinary pages, committed as touched.
std::uint8_t* allocateLarge(std::size_t n, bool) {
    return static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, n, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

void freeLarge(std::uint8_t* p, std::size_t) {
    if (p) VirtualFree(p, 0, MEM_RELEASE);
}

LargeBuffer::LargeBuffer(std::size_t size, bool touch) : data_(allocateLarge(size, touch)) {
    if (data_) size_ = size;
}

void LargeBuffer::release() {
    freeLarge(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

std::optional<MappedFile> MappedFile::open(const std::string& path) {
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<MappedFile> mapped;
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping != nullptr) {
            // The view keeps the mapping alive once its handle is closed.
            if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0))
                mapped = MappedFile(static_cast<const std::uint8_t*>(view),
                                    static_cast<std::size_t>(size.QuadPart),
                                    reinterpret_cast<std::intptr_t>(file));
            CloseHandle(mapping);
        }
    }
    if (!mapped) CloseHandle(file);
    return mapped;
}

void MappedFile::release() {
    if (data_) UnmapViewOfFile(data_);
    if (file_ != kNoFile) CloseHandle(reinterpret_cast<HANDLE>(file_));
    data_ = nullptr;
    size_ = 0;
    file_ = kNoFile;
}

std::size_t MappedFile::copy(std::size_t offset, std::span<std::uint8_t> into) const {
    if (offset >= size_) return 0;
    // One read takes at most a DWORD's worth; callers ask again for the rest.
    std::size_t n = size_ - offset;
    if (into.size() < n) n = into.size();
    if (n > (std::size_t(1) << 30)) n = std::size_t(1) << 30;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(file_), into.data(), static_cast<DWORD>(n), &got, &at))
        return 0;
    return got;
}

void MappedFile::forget(std::size_t offset, std::size_t n) const {
    // Unlocking pages that were never locked takes them out of the working set.
    if (offset < size_)
        VirtualUnlock(const_cast<std::uint8_t*>(data_ + offset),
                      n < size_ - offset ? n : size_ - offset);
}

} // namespace kestrel::platform
