#include "app/GroupListing.h"

#include "platform/WidePath.h"

#include <algorithm>
#include <utility>

namespace {
const COLORREF GroupColours[4] = {RGB(220, 50, 50), RGB(50, 50, 220), RGB(220, 100, 220), RGB(50, 180, 50)};
const COLORREF White = RGB(255, 255, 255);
const std::uint64_t RedrawIntervalMs = 200;
}  // namespace

void GroupListing::BeginGroups() {
    newestGroup_ = -1;
    pending_.clear();
    redraw_ = std::make_unique<ListRedrawBatch>(candidates_, RedrawIntervalMs);
}

void GroupListing::AddGroup(const std::vector<GroupMember>& members) {
    if (members.size() < 2) return;
    std::vector<bool> protectedCopies;
    protectedCopies.reserve(members.size());
    bool anyUnprotected = false;
    for (const GroupMember& member : members) {
        protectedCopies.push_back(protected_.Covers(member.file.path));
        anyUnprotected = anyUnprotected || !protectedCopies.back();
    }
    if (!anyUnprotected) return;
    PendingGroup group{NextColour(), {}, std::move(protectedCopies)};
    group.members.reserve(members.size());
    // The lines take the records over.
    for (const GroupMember& member : members) group.members.push_back(std::move(member.file));
    pending_.push_back(std::move(group));
}

void GroupListing::RunCompared() {
    if (!redraw_ || !redraw_->Due()) return;
    ListPending();
    ShowNewestGroup();
    redraw_->Draw();
}

void GroupListing::EndGroups() {
    // The list draws again when this ends, also when listing fails.
    const std::unique_ptr<ListRedrawBatch> redraw = std::move(redraw_);
    ListPending();
    ShowNewestGroup();
}

void GroupListing::ListPending() {
    // Every group entry first, then every line. Entered in turns, the two
    // lists' item tables grew among each other's texts in the heap that
    // they share, and a search of 100,000 files ended with up to 17 MB of
    // it in holes.
    int referenceLine = candidates_.Count();  // where the next group starts
    std::vector<int> groups;
    groups.reserve(pending_.size());
    for (const PendingGroup& pending : pending_) {
        const int group = groupList_.InsertString(-1, widepath::ToCp932(pending.members[0].path));
        // A plain line index, owning nothing.
        groupList_.SetItemData(group, referenceLine);
        groups.push_back(group);
        newestGroup_ = group;
        newestReferenceLine_ = referenceLine;
        referenceLine += static_cast<int>(pending.members.size());
    }
    for (std::size_t g = 0; g < pending_.size(); ++g) ListLines(pending_[g], groups[g]);
    pending_.clear();
}

void GroupListing::ListLines(PendingGroup& pending, int group) {
    // The protected copies stay; otherwise the reference does.
    const std::vector<bool>& protectedCopies = pending.protectedCopies;
    const bool anyProtected = std::find(protectedCopies.begin(), protectedCopies.end(), true) != protectedCopies.end();
    for (std::size_t k = 0; k < pending.members.size(); ++k) {
        // The display text is made here, for the files of a group only.
        const std::string text = widepath::ToCp932(pending.members[k].path);
        const int line = candidates_.AppendLine(-1, text, pending.colour, White, std::move(pending.members[k]));
        if (protectedCopies[k]) candidates_.ProtectLine(line);
        else if (k > 0 || anyProtected) candidates_.SetCheck(line, 1);
        candidates_.SetLineGroup(line, group);
    }
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
