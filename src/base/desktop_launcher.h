#pragma once
// The real `Launcher`: opens files and pages with the desktop's default handler and starts
// programs directly, with an argument list and a working folder, never through a shell (see
// platform.h for how each system does it).
#include <string>
#include <utility>
#include <vector>

#include "base/launcher.h"
#include "base/platform/platform.h"

namespace kestrel {

class DesktopLauncher : public Launcher {
  public:
    // `opener` is the program that hands a file or address to the default handler.
    explicit DesktopLauncher(std::string opener = platform::defaultOpener())
        : opener_(std::move(opener)) {}

    bool openDefault(const std::string& pathOrUrl, const std::string& workdir) override {
        return platform::openWithDefault(opener_, pathOrUrl, workdir);
    }
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::string& workdir) override {
        return platform::startProgram(program, args, workdir);
    }

  private:
    std::string opener_;
};

} // namespace kestrel
