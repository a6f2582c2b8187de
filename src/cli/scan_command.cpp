#include "cli/commands.h"

#include <cstdio>

namespace kestrel::cli {

int scan(const Args&) {
    std::fputs("scan: not built yet\n", stderr);
    return 2;
}

} // namespace kestrel::cli
