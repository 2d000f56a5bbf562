#pragma once
// The texts of the review: a file's size and time on its line, the ticked
// and deleted totals, and the question before a deletion.
#include "common/core/CivilTime.h"

#include <cstdint>
#include <string>

namespace reviewtext {

// A count with thousands separators: "51,935".
std::string Count(std::uint64_t count);

// A size as the file manager shows it, 1 KB being 1,024 bytes: below 1 KB in
// bytes ("512 バイト"), below 10 MB in whole kilobytes rounded up ("1,234
// KB"), above in three significant digits, truncated ("12.3 MB", "4.50 GB").
std::string Size(std::uint64_t bytes);

// "2024/05/01 13:45".
std::string LineTime(const CivilTime& time);
// "2024/05/01 13:45:07".
std::string FullTime(const CivilTime& time);

// "チェック 1,234 ファイル / 5.6 GB".
std::string TickedTotal(std::uint64_t files, std::uint64_t bytes);
// "削除 12 ファイル / 1.2 MB".
std::string DeletedTotal(std::uint64_t files, std::uint64_t bytes);

// "リンク 12 ファイル / 1.2 MB": the files replaced by hard links and the
// bytes that freed.
std::string LinkedTotal(std::uint64_t files, std::uint64_t bytes);

// The question before a deletion: what it deletes and where to.
std::string DeletionQuestion(std::uint64_t files, std::uint64_t bytes, bool recycle);
// The question before the ticked files are replaced by hard links: what
// goes, and that the names then share one content.
std::string LinkQuestion(std::uint64_t files, std::uint64_t bytes);

}  // namespace reviewtext
