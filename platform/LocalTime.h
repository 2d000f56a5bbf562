#pragma once
// File times as the user's clock reads them, with the daylight-saving rule
// of the date itself, as the file manager shows them.
#include "common/core/CivilTime.h"

#include <cstdint>

// `seconds` since 1970-01-01 00:00 UTC; false when the system cannot convert
// it (`local` is then the UTC calendar time, or the epoch).
bool LocalTimeOf(std::int64_t seconds, CivilTime& local);
