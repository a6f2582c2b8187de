#include "cli/options.h"

#include <charconv>
#include <cstdlib>
#include <string>

#include "cli/messages.h"

namespace kestrel::cli {

CLI::Validator decimalIn(std::uint64_t min, std::uint64_t max) {
    return CLI::Validator(
        [min, max](const std::string& text) {
            std::uint64_t v = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
            const bool whole = ec == std::errc{} && end == text.data() + text.size();
            return whole && v >= min && v <= max ? std::string() : notInRange(min, max);
        },
        "");
}

std::uint64_t decimalValue(const std::string& text) {
    std::uint64_t v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

void addQuiet(CLI::App& app, bool& quiet) {
    app.add_flag("-q,--quiet", quiet, std::string(kQuietOption));
}

std::optional<typ::DateTime> headerClock() {
    const char* env = std::getenv("SOURCE_DATE_EPOCH");
    if (!env || !*env) return typ::dateTimeNow();
    const std::string s = env;
    if (s.size() > 15 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return typ::dateTimeUtc(std::stoll(s));
}

} // namespace kestrel::cli
