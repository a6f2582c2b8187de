#pragma once
// The exit statuses of every command, apart from the parser so that a command's run need not see
// it.

namespace kestrel::cli {

enum Exit : int {
    kDone = 0,        // everything asked for was done
    kFailed = 1,      // nothing could be done: no map read, the file not written
    kUsage = 2,       // usage error or refused value
    kSomeSkipped = 3, // done, but some maps could not be read
};

} // namespace kestrel::cli
