#include "app/ControlSearchView.h"

#include "platform/Prompts.h"

void ControlSearchView::ShowFound(const std::string& path) {
    // One entry, replaced: the list never holds more than the eye reads.
    groupList_.ResetContent();
    groupList_.InsertString(-1, path);
    groupList_.SetCurSel(0);
}

void ControlSearchView::ShowAborting() {
    if (showTitle_) showTitle_("中止しています");
}

int ControlSearchView::Message(const std::string& text, UINT type) { return MessageBoxPrompt(text, type); }
