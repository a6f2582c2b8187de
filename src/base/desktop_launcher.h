#pragma once
// The real `Launcher`: opens files and pages with the desktop's default handler (xdg-open on
// Linux, open on macOS, the shell's default verb on Windows) and starts programs directly, with
// an argument list and a working folder, never through a shell.
#include <string>
#include <vector>

#include "base/launcher.h"

namespace kestrel {

class DesktopLauncher : public Launcher {
  public:
    // `opener` is the program that hands a file or address to the default handler.
    explicit DesktopLauncher(std::string opener = defaultOpener()) : opener_(std::move(opener)) {}

    bool openDefault(const std::string& pathOrUrl, const std::string& workdir) override;
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::string& workdir) override;

    static std::string defaultOpener();

  private:
    std::string opener_;
};

// "/home/ann/a.txt" as wine sees it: "Z:\home\ann\a.txt".
std::string windowsPath(const std::string& posixPath);

// The argument vector that starts the program with the arguments. Off Windows a program ending
// in ".exe" (any case) is a Windows program: it is started through "wine", and arguments that are
// full paths are handed over in wine's "Z:\..." form.
std::vector<std::string> launchCommand(const std::string& program,
                                       const std::vector<std::string>& args);

#ifndef _WIN32
// Starts argv[0] (looked up in PATH when it holds no "/") in `workdir`, detached: the program
// outlives us and leaves no zombie. False when it could not be started.
bool spawnDetached(const std::vector<std::string>& argv, const std::string& workdir);
#endif

} // namespace kestrel
