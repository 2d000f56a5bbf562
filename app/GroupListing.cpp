#include "app/GroupListing.h"

#include "platform/WidePath.h"

#include <utility>

namespace {
const COLORREF GroupColours[4] = {RGB(220, 50, 50), RGB(50, 50, 220), RGB(220, 100, 220), RGB(50, 180, 50)};
const COLORREF White = RGB(255, 255, 255);
const std::uint64_t RedrawIntervalMs = 200;
}  // namespace

void GroupListing::BeginGroups() {
    newestGroup_ = -1;
    redraw_ = std::make_unique<ListRedrawBatch>(candidates_, RedrawIntervalMs);
}

void GroupListing::AddGroup(const std::vector<GroupMember>& members) {
    if (members.size() < 2) return;
    const COLORREF colour = NextColour();
    FileInfo& reference = members[0].file;
    // The display text is made here, for the files of a group only.
    const std::string referenceText = widepath::ToCp932(reference.path);

    const int group = groupList_.InsertString(-1, referenceText);
    // Each line takes its file's record over.
    const int referenceLine = candidates_.AppendLine(-1, referenceText, colour, White, std::move(reference));
    // A plain line index, owning nothing.
    groupList_.SetItemData(group, referenceLine);
    candidates_.SetLineGroup(referenceLine, group);
    newestGroup_ = group;
    newestReferenceLine_ = referenceLine;

    for (std::size_t k = 1; k < members.size(); ++k) {
        const std::string text = widepath::ToCp932(members[k].file.path);
        const int line = candidates_.AppendLine(-1, text, colour, White, std::move(members[k].file));
        candidates_.SetCheck(line, 1);
        candidates_.SetLineGroup(line, group);
    }
}

void GroupListing::RunCompared() {
    if (!redraw_ || !redraw_->Due()) return;
    ShowNewestGroup();
    redraw_->Draw();
}

void GroupListing::EndGroups() {
    ShowNewestGroup();
    redraw_.reset();
}

COLORREF GroupListing::NextColour() {
    colour_ = colour_ >= 3 ? 0 : colour_ + 1;
    return GroupColours[colour_];
}

void GroupListing::ShowNewestGroup() {
    if (newestGroup_ < 0) return;
    groupList_.SetCurSel(newestGroup_);
    candidates_.SetTopIndex(newestReferenceLine_);
    newestGroup_ = -1;
}
