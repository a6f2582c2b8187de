// Starting a program on Windows: CreateProcessW with a command line quoted the way the C runtime
// takes it apart again, and its outputs sent to files.
#include <windows.h>

#include <cwctype>

#include "base/files.h"
#include "base/platform/platform.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

std::wstring wide(const std::string& utf8) {
    return platform::fsPath(utf8).native();
}

// One argument as the C runtime reads it back: quoted, with the backslashes before a quote
// doubled.
std::wstring quoted(const std::wstring& arg) {
    std::wstring q = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        q.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        q += c;
    }
    q.append(2 * backslashes, L'\\');
    return q + L"\"";
}

bool sameName(std::wstring_view var, const std::wstring& name) {
    if (var.size() <= name.size() || var[name.size()] != L'=') return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::towupper(var[i]) != std::towupper(name[i])) return false;
    return true;
}

// The tests' environment with the changes, as the block CreateProcessW takes.
std::wstring environmentBlock(const Environment& env) {
    std::wstring block;
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* v = own; *v; v += std::wcslen(v) + 1) {
        bool replaced = false;
        for (const auto& change : env) replaced |= sameName(v, wide(change.first));
        if (!replaced) block.append(v).push_back(L'\0');
    }
    FreeEnvironmentStringsW(own);
    for (const auto& [name, value] : env) block.append(wide(name + "=" + value)).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

ProgramRun runProgram(const std::vector<std::string>& argv, const Environment& env,
                      const std::string& workdir) {
    std::wstring commandLine;
    for (const std::string& a : argv)
        commandLine += (commandLine.empty() ? L"" : L" ") + quoted(wide(a));
    std::wstring block = environmentBlock(env);
    const TempDir capture;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    si.hStdOutput = inheritable(wide(capture.file("out")), GENERIC_WRITE, CREATE_ALWAYS);
    si.hStdError = inheritable(wide(capture.file("err")), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION pi{};
    const std::wstring folder = wide(workdir);
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(),
                                        workdir.empty() ? nullptr : folder.c_str(), &si, &pi);
    for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError}) CloseHandle(h);
    ProgramRun r;
    if (!started) return r;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(pi.hProcess, &code)) r.status = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    r.out = readFile(capture.file("out")).value_or("");
    r.err = readFile(capture.file("err")).value_or("");
    return r;
}

} // namespace kestrel::test
