#pragma once
// Records what the core asked to open or start instead of doing it.
#include <string>
#include <vector>

#include "base/launcher.h"

namespace kestrel::test {

class FakeLauncher : public Launcher {
  public:
    struct Start {
        std::string program;
        std::vector<std::string> args;
        std::string workdir;
    };

    bool openDefault(const std::string& pathOrUrl, const std::string&) override {
        opened.push_back(pathOrUrl);
        return true;
    }
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::string& workdir) override {
        started.push_back({program, args, workdir});
        return true;
    }

    std::vector<std::string> opened;
    std::vector<Start> started;
};

} // namespace kestrel::test
