#pragma once
// File times as the user's clock reads them, with the daylight-saving rule
// of the date itself, as the file manager shows them. The system's
// conversion is slow (a list of 100,000 files took 1.5 s under Wine), so the
// clock keeps each day's offset from UTC: within a day whose offset is the
// same at both ends, a time is converted by adding it.
#include "common/core/CivilTime.h"

#include <cstdint>
#include <unordered_map>

class LocalClock {
public:
    // `seconds` since 1970-01-01 00:00 UTC; false when the system cannot
    // convert it (`local` is then the UTC calendar time, or the epoch).
    bool ToLocal(std::int64_t seconds, CivilTime& local);

private:
    struct Day {
        std::int64_t startOffset = 0;  // seconds to add at the day's start
        std::int64_t endOffset = 0;    // ... and at the next day's start
        bool known = false;            // both offsets came from the system
    };

    std::unordered_map<std::int64_t, Day> days_;  // by days since 1970 in UTC
};
