// The platform on Linux and macOS.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

#include "base/platform/platform.h"
#include "base/platform/posix.h"

extern char** environ;

namespace kestrel::platform {
namespace {

namespace fs = std::filesystem;

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::vector<std::string> splitAt(std::string_view s, char sep) {
    std::vector<std::string> parts;
    for (std::size_t pos = 0;;) {
        const std::size_t hit = s.find(sep, pos);
        parts.emplace_back(s.substr(pos, hit == std::string_view::npos ? hit : hit - pos));
        if (hit == std::string_view::npos) return parts;
        pos = hit + 1;
    }
}

// Folders under which a volume appears only while it is mounted: the number of components below
// the root that name the volume.
struct RemovableRoot {
    std::string_view prefix;
    int depth;
};
constexpr RemovableRoot kRemovableRoots[]{
    {"/media/", 2},     // /media/<user>/<volume> (udisks)
    {"/run/media/", 2}, // /run/media/<user>/<volume>
    {"/mnt/", 1},
    {"/Volumes/", 1}, // macOS
};

bool isMountPoint(const std::string& folder) {
    struct stat self {};
    struct stat parent {};
    if (stat(folder.c_str(), &self) != 0) return false;
    if (stat((folder + "/..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

bool executable(const std::string& path) {
    return access(path.c_str(), X_OK) == 0;
}

// The program's full path: as given when it holds a "/", else the first match in PATH.
std::string resolveProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return executable(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    for (const std::string& dir : splitAt(path ? path : "/usr/local/bin:/usr/bin:/bin", ':')) {
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

fs::path fsPath(std::string_view utf8) {
    return fs::path(std::string(utf8));
}

std::string utf8Path(const fs::path& path) {
    return path.string();
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::string fullPath(const std::string& path) {
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    return ec ? path : full.string();
}

std::vector<std::string> programArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

std::string environmentVariable(const char* name) {
    return environment(name);
}

void binaryStandardStreams() {}

std::string programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path().string();
    return fs::current_path(ec).string();
}

std::string homeFolder() {
    return environment("HOME");
}

std::string userName() {
    return environment("USER");
}

std::string removableVolume(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    for (const RemovableRoot& root : kRemovableRoots) {
        if (!p.starts_with(root.prefix)) continue;
        const std::vector<std::string> below = splitAt(p.substr(root.prefix.size()), '/');
        if (static_cast<int>(below.size()) < root.depth) return {};
        std::string volume(root.prefix);
        for (int i = 0; i < root.depth; ++i) {
            if (below[static_cast<std::size_t>(i)].empty()) return {};
            volume += below[static_cast<std::size_t>(i)] + "/";
        }
        volume.pop_back();
        return volume;
    }
    return {};
}

DriveState volumeState(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return DriveState::Missing;
    return isMountPoint(folder) ? DriveState::Ready : DriveState::NotReady;
}

DriveState chkdrive(const std::string& path) {
    // A relative path lives on the current folder's volume.
    const std::string volume = removableVolume(fullPath(path));
    return volume.empty() ? DriveState::Ready : volumeState(volume);
}

bool isFullPath(const std::string& path) {
    return path.starts_with('/');
}

std::string volumeName(const std::string& path) {
    return removableVolume(path);
}

std::vector<std::string> removableDrives() {
    return {};
}

std::string windowsPath(const std::string& posixPath) {
    std::string p = posixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return "Z:" + p;
}

std::vector<std::string> launchCommand(const std::string& program,
                                       const std::vector<std::string>& args) {
    std::vector<std::string> argv{program};
    if (!lower(program).ends_with(".exe")) {
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }
    argv.insert(argv.begin(), "wine");
    for (const std::string& a : args) argv.push_back(a.starts_with('/') ? windowsPath(a) : a);
    return argv;
}

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

bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& workdir) {
    return spawnDetached(launchCommand(program, args), workdir);
}

std::string defaultOpener() {
#ifdef __APPLE__
    return "open";
#else
    return "xdg-open";
#endif
}

bool openWithDefault(const std::string& opener, const std::string& pathOrUrl,
                     const std::string& workdir) {
    return spawnDetached({opener, pathOrUrl}, workdir);
}

std::vector<RegKey> machineRegistry(std::string_view, bool& closeFailed) {
    closeFailed = false;
    return {};
}

std::tm localTime(std::time_t moment) {
    std::tm tm{};
    localtime_r(&moment, &tm);
    return tm;
}

bool stderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

bool syncToDisk(std::FILE* file) {
    return ::fsync(fileno(file)) == 0;
}

void takeOwner(std::FILE* file, const fs::path& from) {
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) return;
    // A user who may not give the file away may still give it the group.
    if (::fchown(fileno(file), st.st_uid, st.st_gid) != 0)
        (void)::fchown(fileno(file), static_cast<uid_t>(-1), st.st_gid);
}

std::string runInstead(const std::string& path, const std::vector<std::string>& argv) {
    std::vector<char*> cargv;
    for (const std::string& a : argv) cargv.push_back(const_cast<char*>(a.c_str()));
    cargv.push_back(nullptr);
    // What this process wrote so far comes first.
    std::fflush(stdout);
    std::fflush(stderr);
    execv(path.c_str(), cargv.data());
    return std::strerror(errno);
}

} // namespace kestrel::platform
