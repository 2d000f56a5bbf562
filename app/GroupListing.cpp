#include "app/GroupListing.h"

#include <algorithm>
#include <utility>

namespace {
const COLORREF GroupColours[4] = {RGB(220, 50, 50), RGB(50, 50, 220), RGB(220, 100, 220), RGB(50, 180, 50)};
const COLORREF White = RGB(255, 255, 255);
const std::uint64_t RedrawIntervalMs = 200;
}  // namespace

void GroupListing::BeginGroups(std::shared_ptr<const engine::FileTable> files) {
    files_ = std::move(files);
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
    // The lines name their files in the comparison's table.
    for (const GroupMember& member : members) group.members.push_back(LineFile{files_, member.index, member.file.id});
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
    // The lines hold the files from now on; a failure lets go of them too.
    const std::shared_ptr<const engine::FileTable> files = std::move(files_);
    ListPending();
    ShowNewestGroup();
}

void GroupListing::ListPending() {
    // Taken out first, so that a failure leaves no group holding its files.
    std::vector<PendingGroup> groups = std::move(pending_);
    pending_.clear();
    // Every group's entry first, then all their lines in one step: the
    // candidate list takes them as its new length, not line by line.
    const int firstLine = candidates_.Count();
    std::vector<CCandidateList::NewLine> lines;
    for (PendingGroup& pending : groups) {
        const int group = groupList_.AddGroup();
        if (group < 0) continue;
        newestGroup_ = group;
        newestReferenceLine_ = firstLine + static_cast<int>(lines.size());
        // The protected copies stay; otherwise the reference does.
        const std::vector<bool>& protectedCopies = pending.protectedCopies;
        const bool anyProtected =
            std::find(protectedCopies.begin(), protectedCopies.end(), true) != protectedCopies.end();
        for (std::size_t k = 0; k < pending.members.size(); ++k) {
            const bool protectedCopy = protectedCopies[k];
            lines.push_back({std::move(pending.members[k]), pending.colour, White, group,
                             !protectedCopy && (k > 0 || anyProtected), protectedCopy});
        }
    }
    candidates_.AppendLines(lines);
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
