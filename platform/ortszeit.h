// The computer's time zone on a date: how far its clock is ahead of UTC at
// a local time (summer time included), as the system's time zone rules say.
// Standard C only (mktime), the same on every platform.
#pragma once

#include <cstdint>
#include <optional>

namespace ortszeit {

// Seconds east of UTC for the local clock reading given as seconds since
// 1970 counted as if local were UTC; nothing where the system cannot say
// (a time before 1970 on Windows).
std::optional<int> versatz(std::int64_t lokal);

}  // namespace ortszeit
