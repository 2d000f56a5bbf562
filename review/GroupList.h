#pragma once
// The group list: a drop-down list with one entry per group of the candidate
// list, showing the path of the group's reference. The control is owner
// drawn without strings, so that a result of hundreds of thousands of groups
// holds no text twice: an entry's text is asked of the candidate list as it
// is drawn. While a walk runs, the list's one entry shows the file found
// last.
#include "platform/ExceptionBarrier.h"
#include "platform/OwnerDrawnControl.h"
#include "platform/Window.h"
#include "review/CandidateList.h"

#include <string>

class CGroupList : public ComboBox, public OwnerDrawnControl {
public:
    explicit CGroupList(const CCandidateList& lines) : lines_(lines) {}
    ~CGroupList() override;
    CGroupList(const CGroupList&) = delete;
    CGroupList& operator=(const CGroupList&) = delete;

    void Attach(HWND control);
    void Detach();

    // The one entry, replacing every other, showing `text`, selected.
    void ShowFound(const std::string& text);
    // Appends the entry of the candidate list's next group; returns the
    // entry's index, which is the group's number, or the control's refusal.
    int AddGroup() const;
    // What the entry shows.
    std::string EntryText(int entry) const;

private:
    // The item data of the entry that shows the found file.
    static constexpr LPARAM FoundEntry = 1;

    void OnDrawItem(DRAWITEMSTRUCT& item) override;
    void OnDeleteItem(DELETEITEMSTRUCT&) override {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

    const CCandidateList& lines_;
    std::string found_;
    WNDPROC original_ = nullptr;
    ExceptionBarrier barrier_;
};
