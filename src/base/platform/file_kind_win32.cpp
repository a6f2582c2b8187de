// What a path names, on Windows. Paths arrive as UTF-8 and are asked about in UTF-16, so that
// names outside the ANSI code page are found.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

#include "base/platform/file_kind.h"

namespace kestrel::platform {
namespace {

std::wstring utf16(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string systemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", n);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L'.'))
        wide.pop_back();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            size, nullptr, nullptr);
    return utf8;
}

FileCheck fromError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return {FileKind::Missing, {}, 0};
    case ERROR_ACCESS_DENIED:
        return {FileKind::Denied, {}, 0};
    default:
        return {FileKind::Failed, systemText(error), 0};
    }
}

// Names in the device namespace ("\\.\pipe\x", "\\.\COM1") and the reserved DOS device names
// ("NUL", "com1.img") name devices, which must not even be opened: opening a pipe connects to it.
bool namesDevice(std::wstring_view path) {
    if (path.starts_with(L"\\\\.\\") || path.starts_with(L"\\\\?\\GLOBALROOT")) return true;
    const std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring base(path.substr(slash == std::wstring_view::npos ? 0 : slash + 1));
    base = base.substr(0, base.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    static constexpr std::array<std::wstring_view, 4> kNames = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kNames.begin(), kNames.end(), base) != kNames.end()) return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

} // namespace

FileCheck fileKind(const std::string& path) {
    const std::wstring wide = utf16(path);
    if (namesDevice(wide)) return {FileKind::Other, {}, 0};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
        return fromError(GetLastError());
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {FileKind::Directory, {}, 0};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return {FileKind::Other, {}, 0};
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return fromError(GetLastError());
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    if (type != FILE_TYPE_DISK) return {FileKind::Other, {}, 0};
    const std::uint64_t size =
        static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return {FileKind::Regular, {}, size};
}

} // namespace kestrel::platform
