#pragma once
// What the commands share on the command line: a command as the parser holds it,
// the options every command takes, empty values, and decimal values checked against their range.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "typfile/typ_clock.h"

namespace kestrel::cli {

// A command: its options registered on the program's parser, and what runs it once parsed.
struct Command {
    CLI::App* app;
    std::function<int()> run;
};

// The options every command takes, before the command's name or after it.
struct CommonOptions {
    bool quiet = false;
    // The program's arguments as given, its name first: what the drawing commands hand on to the
    // drawing program where kestrel-cli draws nothing itself.
    std::vector<std::string> arguments;
};
// --quiet, on the program and on each command alike.
void addCommonOptions(CLI::App& app, CommonOptions& common);

// A whole decimal number from min to max: digits only (no sign, no base prefix, nothing after).
CLI::Validator decimalIn(std::uint64_t min, std::uint64_t max);
// A folder that exists.
CLI::Validator existingFolder();
// The number of a text decimalIn accepted.
std::uint64_t decimalValue(const std::string& text);

// An option given an empty value, as written, and the command it belongs to (empty: the program).
struct EmptyValue {
    std::string option;
    std::string command;
};
// The first option of the arguments (the program's name left out) given an empty value:
// "--output=", or "-o" or "--output" followed by "". The parser would take the next argument as
// the value of "--output=" (`typ --output= a.img b.img` would write over a.img), so empty values
// are refused before it sees them, for every option of every command.
std::optional<EmptyValue> emptyValue(const CLI::App& program, const std::vector<std::string>& args);

// The date and time a TYP header records: SOURCE_DATE_EPOCH (seconds, UTC) when it is set, so
// that a build gives the same bytes again; else the local time now. Nothing when the variable is
// not a whole number of seconds.
std::optional<typ::DateTime> headerClock();

} // namespace kestrel::cli
