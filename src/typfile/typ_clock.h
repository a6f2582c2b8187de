#pragma once
// The date and time a TYP header records. It is handed to the writers as a value, so that the
// bytes of a file depend only on their inputs (tests, reproducible builds).
#include <cstdint>

namespace kestrel::typ {

struct DateTime {
    int year = 2000; // four digits
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;
    int second = 0;

    bool operator==(const DateTime&) const = default;
};

// The civil date and time (UTC) of a count of seconds since 1970-01-01 00:00:00 UTC, as the
// reproducible-builds variable SOURCE_DATE_EPOCH gives it.
DateTime dateTimeUtc(std::int64_t epochSeconds);
// The machine's local date and time now.
DateTime dateTimeNow();

} // namespace kestrel::typ
