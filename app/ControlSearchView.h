#pragma once
// The engine's view over the main window's controls: the two progress
// bars, the status field, the group list (which shows the file a walk found
// last) and the program's message boxes, which say in words what the
// engine tells. It refers to the
// window's control members, which are bound after it is made.
#include "engine/SearchView.h"
#include "platform/Window.h"
#include "review/GroupList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class ControlSearchView : public SearchView {
public:
    // `showTitle`, when given, shows a phase's text in the window title.
    using TitleShower = std::function<void(const std::string& text)>;

    ControlSearchView(const Edit& statusField, CGroupList& groupList, const ProgressBar& mainProgress,
                      const ProgressBar& runProgress, TitleShower showTitle = {})
        : statusField_(statusField), groupList_(groupList), mainProgress_(mainProgress), runProgress_(runProgress),
          showTitle_(std::move(showTitle)) {}

    void SetProgressRange(Bar bar, int low, int high) override { Of(bar).SetRange(low, high); }
    void SetProgress(Bar bar, int position) override { Of(bar).SetPos(position); }
    int Progress(Bar bar) const override { return Of(bar).Pos(); }
    void ShowStatus(const std::string& text) override { statusField_.SetText(text); }
    void ShowFound(const std::string& path) override;
    void ShowAborting() override;
    bool FileDidNotOpen(const std::string& path) override;
    void ComparisonEnded(std::int64_t seconds) override;
    void FoldersNotListed(int count, const std::vector<std::string>& firstFew) override;
    // The program's message box of `type` (MB_OK, MB_YESNO, ... and an
    // icon), which all of the above ask through; returns the button pressed.
    virtual int Message(const std::string& text, UINT type);

private:
    const ProgressBar& Of(Bar bar) const { return bar == Bar::Main ? mainProgress_ : runProgress_; }

    const Edit& statusField_;
    CGroupList& groupList_;
    const ProgressBar& mainProgress_;
    const ProgressBar& runProgress_;
    TitleShower showTitle_;
};
