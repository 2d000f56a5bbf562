#pragma once
// The files dropped on a window (WM_DROPFILES), released when the object
// goes. The names are read from the drop's block in one pass: asking the
// shell for them one index at a time walks the list from its start each
// time, which takes seconds for thousands of names.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

class FileDrop {
public:
    explicit FileDrop(HDROP drop) : drop_(drop) {}
    ~FileDrop() { DragFinish(drop_); }
    FileDrop(const FileDrop&) = delete;
    FileDrop& operator=(const FileDrop&) = delete;

    // The dropped names in their order; none when the drop cannot be read.
    std::vector<std::wstring> Paths() const;

private:
    HDROP drop_;
};
