#pragma once
// The routines that the dialogs and the engine share. Every owner holds one
// as a member and calls through it; it has no state. Text and path chores
// delegate to the platform-free routines in common/core.
#include "platform/Window.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CCommonTools {
public:
    virtual ~CCommonTools() = default;

    void SetButtonState(Window control, int enabled, const std::string& caption) const;
    void FitHorizontalExtent(ListBox list) const;
    void DeleteSelectedItem(ListBox list) const;
    bool ListBoxContains(ListBox list, std::string text, bool ignoreCase) const;
    void SplitIntoListBox(std::string text, ListBox list, std::string separator) const;
    std::string ExtensionOf(std::string path) const;
    std::string ToLower(std::string text) const;
    bool IsDoubleByteLead(std::string text, int index) const;
    bool DirectoryExists(std::string path) const;
    int NoIndex() const { return -100; }
    std::string ListSeparator() const { return ";;"; }

    // Ordering of the gathered files.
    void SortIndexesByKey(std::vector<int>& order, std::vector<std::uint64_t>& keys, int low,
                          int high) const;
    void SortPathsNewestFirst(std::vector<std::string>& texts, std::vector<std::int64_t>& times,
                              int low, int high) const;

    // Clock: whole seconds of a monotonic tick count, so that differences
    // never go negative across midnight or a clock change.
    std::int64_t SecondsOfDay() const;
    void ElapsedSince(std::int64_t start, int& hours, int& minutes, int& seconds) const;
    void SplitSeconds(std::int64_t total, int& hours, int& minutes, int& seconds) const;

    // Shell operations. The path is the file system's exact name.
    void OpenWithShell(const std::wstring& path) const;

    // Settings-file lines.
    bool FindLineWithPrefix(std::FILE* file, std::string prefix) const;
    bool ReadLine(std::FILE* file, std::string& line) const;
};
