#include <cstdio>
#include <string>

#include "base/platform/platform.h"
#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const kestrel::cli::Args&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"scan", kestrel::cli::scan,
     "scan [--highways] [--draworder|--no-draworder] [--data DIR] [--json] MAP..."},
    {"typ", kestrel::cli::typ,
     "typ [--highways] [--draworder|--no-draworder] [--data DIR] [--fid N] [--product N] "
     "[--codepage CP] [--kinds polygons,lines,pois] [--seed N] [--state FILE] -o OUT.txt MAP..."},
    {"products", kestrel::cli::products, "products [--json]"},
    {"gen", kestrel::cli::gen,
     "gen KIND --start S --count N -o OUT.typ [--ignore-subtypes] [--line-width W] "
     "[--codepage CP] [--start-hex|--start-dec] [--count-hex] [--force] [--data DIR]"},
    {"check-update", kestrel::cli::checkUpdateCommand, "check-update [--url URL]"},
};

int usage() {
    std::fputs("usage: kestrel-cli COMMAND [OPTIONS]\n", stderr);
    for (const auto& c : kCommands) std::fprintf(stderr, "  kestrel-cli %s\n", c.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Every output is the same bytes on every system: LF line ends, binary TYPs on stdout intact.
    kestrel::platform::binaryStandardStreams();
    const kestrel::cli::Args args = kestrel::platform::programArguments(argc, argv);
    if (args.size() < 2) return usage();
    for (const auto& c : kCommands) {
        if (args[1] == c.name) return c.run(kestrel::cli::Args(args.begin() + 2, args.end()));
    }
    return usage();
}
