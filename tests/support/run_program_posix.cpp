// Starting a program on Linux and macOS: posix_spawn with its outputs sent to files.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "base/files.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

extern char** environ;

namespace kestrel::test {

ProgramRun runProgram(const std::vector<std::string>& argv, const Environment& env,
                      const std::string& workdir) {
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string_view var(*e);
        bool replaced = false;
        for (const auto& [name, value] : env) replaced |= var.starts_with(name + "=");
        if (!replaced) vars.emplace_back(var);
    }
    for (const auto& [name, value] : env) vars.push_back(name + "=" + value);
    std::vector<char*> cargv, cenv;
    for (const std::string& a : argv) cargv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& v : vars) cenv.push_back(const_cast<char*>(v.c_str()));
    cargv.push_back(nullptr);
    cenv.push_back(nullptr);

    const TempDir capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, capture.file("out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, capture.file("err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!workdir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workdir.c_str());
    ProgramRun r;
    pid_t pid = -1;
    const bool started =
        posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started) return r;
    int st = 0;
    if (waitpid(pid, &st, 0) == pid && WIFEXITED(st)) r.status = WEXITSTATUS(st);
    r.out = readFile(capture.file("out")).value_or("");
    r.err = readFile(capture.file("err")).value_or("");
    return r;
}

} // namespace kestrel::test
