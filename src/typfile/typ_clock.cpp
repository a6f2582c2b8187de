#include "typfile/typ_clock.h"

#include <ctime>

#include "base/platform/platform.h"

namespace kestrel::typ {

DateTime dateTimeUtc(std::int64_t epochSeconds) {
    // Days since the epoch to a civil date, in the proleptic Gregorian calendar (eras of 400
    // years); valid for negative counts too.
    std::int64_t days = epochSeconds / 86400;
    std::int64_t secs = epochSeconds % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);

    DateTime t;
    t.year = static_cast<int>(y);
    t.month = static_cast<int>(m);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

DateTime dateTimeNow() {
    const std::tm tm = platform::localTime(std::time(nullptr));
    DateTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    return t;
}

} // namespace kestrel::typ
