#pragma once
// Splitting a number of seconds and the two texts built from it: the
// remaining-time estimate of the status field and the time-taken message.
#include <cstdint>
#include <string>

namespace timetext {

// Truncating division: hours (not limited to 23), minutes, seconds.
void SplitSeconds(std::int64_t total, int& hours, int& minutes, int& seconds);

// "予想残り時間 " followed by hours, minutes and seconds, leaving out
// leading zero fields.
std::string RemainingTimeText(std::int64_t seconds);

// "... かかりました": the time the comparison took.
std::string ElapsedTimeText(std::int64_t seconds);

// The time per file so far applied to the files left: elapsed x (count -
// done) / done, the product formed in 64 bits. 0 when nothing is done yet.
std::int64_t RemainingSeconds(std::int64_t elapsed, std::int64_t fileCount, std::int64_t done);

}  // namespace timetext
