#include "platform/ortszeit.h"

#include <ctime>

namespace ortszeit {

std::optional<int> versatz(std::int64_t lokal)
{
    // The clock reading as a calendar date (gmtime's arithmetic, no zone).
    const std::int64_t tage = (lokal >= 0 ? lokal : lokal - 86399) / 86400;
    const std::int64_t rest = lokal - tage * 86400;
    std::int64_t z = tage + 719468;
    const std::int64_t aera = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t tagDerAera = z - aera * 146097;
    const std::int64_t jahrDerAera = (tagDerAera - tagDerAera / 1460 + tagDerAera / 36524 - tagDerAera / 146096) / 365;
    const std::int64_t tagDesJahres = tagDerAera - (365 * jahrDerAera + jahrDerAera / 4 - jahrDerAera / 100);
    const std::int64_t mp = (5 * tagDesJahres + 2) / 153;
    std::tm t{};
    t.tm_mday = static_cast<int>(tagDesJahres - (153 * mp + 2) / 5 + 1);
    t.tm_mon = static_cast<int>(mp < 10 ? mp + 2 : mp - 10);
    t.tm_year = static_cast<int>(jahrDerAera + aera * 400 + (t.tm_mon <= 1 ? 1 : 0) - 1900);
    t.tm_hour = static_cast<int>(rest / 3600);
    t.tm_min = static_cast<int>(rest / 60 % 60);
    t.tm_sec = static_cast<int>(rest % 60);
    t.tm_isdst = -1;  // the system decides whether summer time held then
    const std::time_t utc = std::mktime(&t);
    if (utc == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<int>(lokal - static_cast<std::int64_t>(utc));
}

}  // namespace ortszeit
