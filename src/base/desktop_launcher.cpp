#include "base/desktop_launcher.h"

#include "base/text.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace kestrel {

std::string windowsPath(const std::string& posixPath) {
    return "Z:" + replaceAll(posixPath, "/", "\\");
}

std::vector<std::string> launchCommand(const std::string& program,
                                       const std::vector<std::string>& args) {
#ifdef _WIN32
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
#else
    if (!endsWith(lcase(program), ".exe")) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }
    std::vector<std::string> argv{"wine", program};
    for (const std::string& a : args) argv.push_back(startsWith(a, "/") ? windowsPath(a) : a);
    return argv;
#endif
}

#ifdef _WIN32

std::string DesktopLauncher::defaultOpener() {
    return {};
}

namespace {
std::string quoted(const std::vector<std::string>& args) {
    std::string out;
    for (const std::string& a : args) {
        if (!out.empty()) out += ' ';
        out += '"' + a + '"';
    }
    return out;
}
} // namespace

bool DesktopLauncher::openDefault(const std::string& pathOrUrl, const std::string& workdir) {
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", pathOrUrl.c_str(), nullptr, workdir.c_str(), SW_SHOWNORMAL));
    return r > 32;
}

bool DesktopLauncher::start(const std::string& program, const std::vector<std::string>& args,
                            const std::string& workdir) {
    const std::string params = quoted(args);
    const auto r = reinterpret_cast<INT_PTR>(ShellExecuteA(
        nullptr, "open", program.c_str(), params.c_str(), workdir.c_str(), SW_SHOWNORMAL));
    return r > 32;
}

#else

namespace {

bool executable(const std::string& path) {
    return access(path.c_str(), X_OK) == 0;
}

// The program's full path: as given when it holds a "/", else the first match in PATH.
std::string resolveProgram(const std::string& name) {
    if (contains(name, "/")) return executable(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    for (const std::string& dir : split(path ? path : "/usr/local/bin:/usr/bin:/bin", ":")) {
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (executable(candidate)) return candidate;
    }
    return {};
}

void reportErrno(int fd) {
    const int e = errno;
    [[maybe_unused]] const ssize_t n = write(fd, &e, sizeof e);
}

} // namespace

bool spawnDetached(const std::vector<std::string>& argv, const std::string& workdir) {
    if (argv.empty()) return false;
    const std::string exe = resolveProgram(argv[0]);
    if (exe.empty()) return false;
    // Everything the children need is prepared here: after fork only async-signal-safe calls.
    std::vector<char*> cargv;
    for (const std::string& a : argv) cargv.push_back(const_cast<char*>(a.c_str()));
    cargv.push_back(nullptr);

    // The pipe tells whether the exec worked: it closes on a successful exec and carries errno
    // otherwise.
    int fds[2];
    if (pipe(fds) != 0) return false;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    fcntl(fds[1], F_SETFD, FD_CLOEXEC);

    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (child == 0) {
        // The middle process exits at once, so the program is adopted by init and reaped there.
        const pid_t grandchild = fork();
        if (grandchild < 0) {
            reportErrno(fds[1]);
            _exit(1);
        }
        if (grandchild == 0) {
            setsid();
            if (!workdir.empty() && chdir(workdir.c_str()) != 0) {
                reportErrno(fds[1]);
                _exit(127);
            }
            execve(exe.c_str(), cargv.data(), environ);
            reportErrno(fds[1]);
            _exit(127);
        }
        _exit(0);
    }
    close(fds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n = 0;
    do {
        n = read(fds[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    close(fds[0]);
    return n == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string DesktopLauncher::defaultOpener() {
#ifdef __APPLE__
    return "open";
#else
    return "xdg-open";
#endif
}

bool DesktopLauncher::openDefault(const std::string& pathOrUrl, const std::string& workdir) {
    return spawnDetached({opener_, pathOrUrl}, workdir);
}

bool DesktopLauncher::start(const std::string& program, const std::vector<std::string>& args,
                            const std::string& workdir) {
    return spawnDetached(launchCommand(program, args), workdir);
}

#endif

} // namespace kestrel
