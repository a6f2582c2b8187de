#ifdef _WIN32
#include "installed/win32_registry.h"

#include <windows.h>

#include "base/paths.h"
#include "base/uiport.h"
#include "installed/messages.h"

namespace kestrel::installed {
namespace {

// Registry keys nest; the Garmin keys are a few levels deep. A bound keeps a looping or
// pathological hive from running away.
constexpr int kMaxDepth = 8;
constexpr DWORD kMaxName = 16384; // longest value or key name, in characters
constexpr DWORD kMaxData = 1 << 20;

void readKey(HKEY parent, const std::string& path, const std::string& sub, int depth,
             std::vector<RegKey>& out, UiPort& ui) {
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
            readKey(key, path + "\\" + child, child, depth + 1, out, ui);
        }
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) ui.message(std::string(kMsgErrorClosingKey));
}

} // namespace

std::vector<RegKey> Win32Registry::subtree(std::string_view path) {
    std::string p(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    std::vector<RegKey> keys;
    readKey(HKEY_LOCAL_MACHINE, p, p, 0, keys, ui_);
    return keys;
}

std::string Win32Registry::realPath(std::string_view registryPath) const {
    return normalisePath(registryPath);
}

} // namespace kestrel::installed
#endif
