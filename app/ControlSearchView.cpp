#include "app/ControlSearchView.h"

#include "common/core/TimeText.h"
#include "platform/Prompts.h"

void ControlSearchView::ShowFound(const std::string& path) {
    // One entry, replaced: the list never holds more than the eye reads.
    groupList_.ShowFound(path);
}

void ControlSearchView::ShowAborting() {
    if (showTitle_) showTitle_("中止しています");
}

bool ControlSearchView::FileDidNotOpen(const std::string& path) {
    return Message(path + " が開けませんでした\nこれ以降このメッセージを表示しますか？", MB_YESNO) != IDNO;
}

void ControlSearchView::ComparisonEnded(std::int64_t seconds) { Message(timetext::ElapsedTimeText(seconds), MB_OK); }

void ControlSearchView::FoldersNotListed(int count, const std::vector<std::string>& firstFew) {
    std::string text =
        "中を読めないフォルダが " + std::to_string(count) + " 個ありました。その中のファイルは検索されていません";
    for (const std::string& folder : firstFew) text += "\n" + folder;
    if (count > static_cast<int>(firstFew.size())) text += "\n...";
    Message(text, MB_OK | MB_ICONWARNING);
}

int ControlSearchView::Message(const std::string& text, UINT type) { return MessageBoxPrompt(text, type); }
