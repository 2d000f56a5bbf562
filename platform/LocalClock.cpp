#include "platform/LocalClock.h"

#include "platform/FileFinder.h"

#include <windows.h>

namespace {

const std::int64_t SecondsTo1970 = 11644473600LL;  // file times count from 1601
const std::int64_t SecondsPerDay = 86400;

bool ToFileTime(std::int64_t seconds, FILETIME& time) {
    if (seconds < -SecondsTo1970) return false;
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + SecondsTo1970) * 10000000ULL;
    time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    return true;
}

// The system's offset of local time from UTC at a moment.
bool OffsetAt(std::int64_t seconds, std::int64_t& offset) {
    FILETIME utcTime, localTime;
    SYSTEMTIME utc, local;
    if (!ToFileTime(seconds, utcTime) || !FileTimeToSystemTime(&utcTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) || !SystemTimeToFileTime(&local, &localTime))
        return false;
    offset = FileFinder::SecondsSince1970(localTime) - seconds;
    return true;
}

}  // namespace

bool LocalClock::ToLocal(std::int64_t seconds, CivilTime& local) {
    local = CivilTime();
    const std::int64_t day = seconds / SecondsPerDay - (seconds % SecondsPerDay < 0 ? 1 : 0);
    auto found = days_.find(day);
    if (found == days_.end()) {
        Day times;
        times.known = OffsetAt(day * SecondsPerDay, times.startOffset) &&
                      OffsetAt((day + 1) * SecondsPerDay, times.endOffset);
        found = days_.emplace(day, times).first;
    }
    const Day& times = found->second;
    std::int64_t offset = times.startOffset;
    // A day with a change of offset is asked of the system time by time.
    bool converted = times.known && times.startOffset == times.endOffset;
    if (!converted) converted = OffsetAt(seconds, offset);
    if (!converted) offset = 0;
    FILETIME time;
    SYSTEMTIME shown;
    if (!ToFileTime(seconds + offset, time) || !FileTimeToSystemTime(&time, &shown)) return false;
    local = {shown.wYear, shown.wMonth, shown.wDay, shown.wHour, shown.wMinute, shown.wSecond};
    return converted;
}
