#include "common/core/TimeText.h"

#include <cstdio>

namespace timetext {

namespace {
std::string Format(const char* format, int a, int b = 0, int c = 0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// Hours, minutes and seconds in one of three formats: the first when there
// are hours, the second when there are minutes, the third otherwise.
std::string HoursMinutesSeconds(std::int64_t total, const char* withHours, const char* withMinutes,
                                const char* secondsOnly) {
    int hours = 0, minutes = 0, seconds = 0;
    SplitSeconds(total, hours, minutes, seconds);
    if (hours != 0) return Format(withHours, hours, minutes, seconds);
    if (minutes != 0) return Format(withMinutes, minutes, seconds);
    return Format(secondsOnly, seconds);
}
}  // namespace

void SplitSeconds(std::int64_t total, int& hours, int& minutes, int& seconds) {
    hours = static_cast<int>(total / 3600);
    minutes = static_cast<int>((total % 3600) / 60);
    seconds = static_cast<int>(total % 60);
}

std::string RemainingTimeText(std::int64_t seconds) {
    return "予想残り時間 " + HoursMinutesSeconds(seconds, "%02d時間%02d分%02d秒", "%02d分%02d秒", "%02d秒");
}

std::string ElapsedTimeText(std::int64_t seconds) {
    return HoursMinutesSeconds(seconds, "%02d 時間 %02d 分 %02d 秒 かかりました", "%02d 分 %02d 秒 かかりました",
                               "%02d 秒 かかりました");
}

std::int64_t RemainingSeconds(std::int64_t elapsed, std::int64_t fileCount, std::int64_t done) {
    if (done <= 0) return 0;
    return elapsed * (fileCount - done) / done;
}

}  // namespace timetext
