#pragma once
// Starting other programs and opening files or pages with the desktop's default handler. The
// desktop program and the core's users get a real one; the command line gets one that only says
// what it would have done.
#include <string>
#include <vector>

namespace kestrel {

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Opens a file or a web address with the desktop's default handler.
    virtual bool openDefault(const std::string& pathOrUrl, const std::string& workdir) = 0;
    // Starts a program with an argument list, without a shell, and does not wait for it.
    virtual bool start(const std::string& program, const std::vector<std::string>& args,
                       const std::string& workdir) = 0;
};

} // namespace kestrel
