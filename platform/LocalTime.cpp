#include "platform/LocalTime.h"

#include <windows.h>

bool LocalTimeOf(std::int64_t seconds, CivilTime& local) {
    local = CivilTime();
    if (seconds < -11644473600LL) return false;  // before 1601, where file times begin
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    const FILETIME utcTime = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc, time;
    if (!FileTimeToSystemTime(&utcTime, &utc)) return false;
    const bool converted = SystemTimeToTzSpecificLocalTime(nullptr, &utc, &time) != 0;
    if (!converted) time = utc;
    local = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
    return converted;
}
