#pragma once
// Helpers of the Linux and macOS side that its users and tests reach directly.
#include <string>
#include <vector>

namespace kestrel::platform {

// "/home/ann/a.txt" as wine sees it: "Z:\home\ann\a.txt".
std::string windowsPath(const std::string& posixPath);

// Starts argv[0] (looked up in PATH when it holds no "/") in `workdir`, detached: the program
// outlives us and leaves no zombie. False when it could not be started.
bool spawnDetached(const std::vector<std::string>& argv, const std::string& workdir);

// Runs the program at `path` in this process's place, with `argv` (its name first), the standard
// streams and the exit status passing to it. Returns only when it could not be started: why.
std::string runInstead(const std::string& path, const std::vector<std::string>& argv);

} // namespace kestrel::platform
