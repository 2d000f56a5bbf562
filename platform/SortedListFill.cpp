#include "platform/SortedListFill.h"

#include "platform/WidePath.h"

#include <algorithm>
#include <numeric>

namespace {

// The list box compares its lines as CompareStringW does in the list's
// locale, without regard to case; the sort key orders them the same way.
std::string SortKey(LCID locale, const std::wstring& text) {
    const int size = LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(), -1, nullptr, 0);
    std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(), -1,
                     reinterpret_cast<LPWSTR>(&key[0]), size);
    return key;
}

bool ComesBefore(LCID locale, const std::wstring& first, const std::wstring& second) {
    return CompareStringW(locale, NORM_IGNORECASE, first.c_str(), -1, second.c_str(), -1) == CSTR_LESS_THAN;
}

}  // namespace

void FillSortedList(ListBox list, const std::vector<std::string>& lines, const std::vector<LPARAM>& data) {
    const auto withData = [&](int line, std::size_t index) {
        if (line >= 0 && index < data.size()) list.SetItemData(line, data[index]);
    };
    const bool sorted = (GetWindowLongA(list.Handle(), GWL_STYLE) & LBS_SORT) != 0;
    if (sorted && list.Count() == 0 && lines.size() > 1) {
        const LCID locale = static_cast<LCID>(list.Send(LB_GETLOCALE));
        std::vector<std::wstring> wide;
        std::vector<std::string> keys;
        for (const std::string& line : lines) {
            wide.push_back(widepath::FromAnsiCodePage(line));
            keys.push_back(SortKey(locale, wide.back()));
        }
        std::vector<size_t> order(lines.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
        // Lines that the list box holds equal take places that depend on
        // the order of adding: then, and should a key ever disagree with
        // the comparison, the list box places every line itself.
        bool strictlyAscending = true;
        for (size_t i = 1; i < order.size() && strictlyAscending; ++i)
            strictlyAscending = ComesBefore(locale, wide[order[i - 1]], wide[order[i]]);
        if (strictlyAscending) {
            for (size_t index : order) withData(list.InsertString(-1, lines[index]), index);
            return;
        }
    }
    for (std::size_t index = 0; index < lines.size(); ++index) withData(list.AddString(lines[index]), index);
}
