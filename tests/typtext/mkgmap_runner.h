#pragma once
// Runs mkgmap, the compiler our users feed TYP texts to, on a text and collects what it said.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/files.h"
#include "base/text.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace kestrel::test {

namespace fs = std::filesystem;

inline std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    for (const auto& dir : split(path ? path : "", ":")) {
        const fs::path p = fs::path(dir.empty() ? "." : dir) / program;
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    return {};
}

inline bool mkgmapAvailable() {
    return !findOnPath("mkgmap").empty() && !findOnPath("java").empty();
}

struct Compiled {
    int status = -1;
    std::string log;
    std::string typ;
};

// Runs mkgmap on the text in a fresh folder. Its warnings go to a log only when asked for, so a
// java wrapper turns the logging on (the mkgmap launcher honours JAVACMD).
inline Compiled compileWithMkgmap(const std::string& text, const std::string& codepage, int fid) {
    test::TempDir dir;
    dir.write("typ.txt", text);
    dir.write("log.props", "handlers = java.util.logging.ConsoleHandler\n"
                           ".level = WARNING\n"
                           "java.util.logging.ConsoleHandler.level = ALL\n");
    const std::string wrapper = dir.write("java-log", "#!/bin/sh\nexec java -Dlog.config=\"" +
                                                          dir.file("log.props") + "\" \"$@\"\n");
    fs::permissions(wrapper, fs::perms::owner_all);
    const ProgramRun r =
        runProgram({"mkgmap", "--code-page=" + codepage, "--family-id=" + std::to_string(fid),
                    "--product-id=1", "typ.txt"},
                   {{"JAVACMD", wrapper}}, dir.path());
    return {r.status, r.out + r.err, readFile(dir.file("typ.typ")).value_or("")};
}

inline std::string mkgmapProblems(const std::string& log) {
    std::string out;
    for (const auto& line : split(log, "\n"))
        if (contains(line, "WARNING") || contains(line, "SEVERE") || contains(line, "ERROR") ||
            (contains(line, "Exception") && !contains(line, "Exceptions: 0")))
            out += line + "\n";
    return out;
}

} // namespace kestrel::test
