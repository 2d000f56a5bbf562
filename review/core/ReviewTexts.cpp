#include "review/core/ReviewTexts.h"

#include <cstdio>

namespace reviewtext {

std::string Count(std::uint64_t count) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string Size(std::uint64_t bytes) {
    const std::uint64_t KB = 1024, MB = KB * 1024;
    if (bytes < KB) return Count(bytes) + " バイト";
    if (bytes < 10 * MB) return Count((bytes + KB - 1) / KB) + " KB";
    // Hundredths of the unit, truncated, so that 999.9 never reads 1000.
    static const char* const Units[] = {"MB", "GB", "TB", "PB", "EB"};
    std::uint64_t unit = MB;
    int u = 0;
    while (u < 4 && bytes / unit >= 1000) {
        unit *= KB;
        ++u;
    }
    const std::uint64_t whole = bytes / unit;
    // In 65,536ths of the unit first: 100 times the remainder itself would
    // not fit 64 bits.
    const std::uint64_t hundredths = (bytes % unit) / (unit >> 16) * 100 >> 16;
    char text[48];
    if (whole >= 100) std::snprintf(text, sizeof text, "%llu %s", static_cast<unsigned long long>(whole), Units[u]);
    else if (whole >= 10)
        std::snprintf(text, sizeof text, "%llu.%llu %s", static_cast<unsigned long long>(whole),
                      static_cast<unsigned long long>(hundredths / 10), Units[u]);
    else
        std::snprintf(text, sizeof text, "%llu.%02llu %s", static_cast<unsigned long long>(whole),
                      static_cast<unsigned long long>(hundredths), Units[u]);
    return text;
}

std::string LineTime(const CivilTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute);
    return text;
}

std::string FullTime(const CivilTime& time) {
    char text[8];
    std::snprintf(text, sizeof text, ":%02d", time.second);
    return LineTime(time) + text;
}

std::string TickedTotal(std::uint64_t files, std::uint64_t bytes) {
    return "チェック " + Count(files) + " ファイル / " + Size(bytes);
}

std::string DeletedTotal(std::uint64_t files, std::uint64_t bytes) {
    return "削除 " + Count(files) + " ファイル / " + Size(bytes);
}

std::string LinkedTotal(std::uint64_t files, std::uint64_t bytes) {
    return "リンク " + Count(files) + " ファイル / " + Size(bytes);
}

std::string DeletionQuestion(std::uint64_t files, std::uint64_t bytes, bool recycle) {
    const std::string what = Count(files) + " ファイル (" + Size(bytes) + ") ";
    return "チェック済みのファイルを削除します\n" +
           what + (recycle ? "をごみ箱に移動します" : "を完全に削除します。元に戻すことはできません");
}

std::string LinkQuestion(std::uint64_t files, std::uint64_t bytes) {
    return "チェックした " + Count(files) + " ファイル (" + Size(bytes) +
           ") を、残すファイルへのハードリンクに置き換えます\n"
           "置き換えたあとは、どの名前から書き換えても同じ内容が変わります";
}

}  // namespace reviewtext
