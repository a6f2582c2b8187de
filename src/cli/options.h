#pragma once
// What the commands share on the command line: exit statuses, a command as the parser holds it,
// --quiet, and decimal values checked against their range.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <optional>

#include "typfile/typ_clock.h"

namespace kestrel::cli {

enum Exit : int {
    kDone = 0,        // everything asked for was done
    kFailed = 1,      // nothing could be done: no map read, the file not written
    kUsage = 2,       // usage error or refused value
    kSomeSkipped = 3, // done, but some maps could not be read
};

// A command: its options registered on the program's parser, and what runs it once parsed.
struct Command {
    CLI::App* app;
    std::function<int()> run;
};

// A whole decimal number from min to max: digits only (no sign, no base prefix, nothing after).
CLI::Validator decimalIn(std::uint64_t min, std::uint64_t max);
// The number of a text decimalIn accepted.
std::uint64_t decimalValue(const std::string& text);

void addQuiet(CLI::App& app, bool& quiet);

// The date and time a TYP header records: SOURCE_DATE_EPOCH (seconds, UTC) when it is set, so
// that a build gives the same bytes again; else the local time now. Nothing when the variable is
// not a whole number of seconds.
std::optional<typ::DateTime> headerClock();

} // namespace kestrel::cli
