#pragma once
// The command line opens nothing with the desktop's handlers and starts no editor.
#include <string>
#include <vector>

#include "base/launcher.h"

namespace kestrel::cli {

class NoLauncher : public Launcher {
  public:
    bool openDefault(const std::string&, const std::string&) override { return false; }
    bool start(const std::string&, const std::vector<std::string>&, const std::string&) override {
        return false;
    }
};

} // namespace kestrel::cli
