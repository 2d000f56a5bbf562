#pragma once
// The comparison's groups as the main window shows them: one group-list
// entry per group, showing its reference, and one
// candidate line per file, in the group's colour, the reference unticked and
// its copies ticked. In a group with protected copies those stay unticked
// and every other copy is ticked; a group of protected copies alone offers
// nothing to delete and is not listed. The candidate list is drawn a few
// times a second while
// groups arrive, with the newest group selected and in view. Groups wait
// for that drawing to enter the lists, since only the drawn state is seen.
#include "engine/GroupSink.h"
#include "platform/ListRedrawBatch.h"
#include "platform/Window.h"
#include "review/CandidateList.h"
#include "review/GroupList.h"
#include "review/ProtectedFolders.h"

#include <memory>
#include <utility>
#include <vector>

class GroupListing : public GroupSink {
public:
    // The lists are the owner's, which outlive this object; they may get
    // their windows later.
    GroupListing(CGroupList& groupList, CCandidateList& candidates) : groupList_(groupList), candidates_(candidates) {}

    // The folders whose files the next comparisons list as protected copies.
    void SetProtectedFolders(ProtectedFolders folders) { protected_ = std::move(folders); }

    void BeginGroups(std::shared_ptr<const engine::FileTable> files) override;
    void AddGroup(const std::vector<GroupMember>& members) override;
    void RunCompared() override;
    void EndGroups() override;

private:
    struct PendingGroup {
        COLORREF colour;
        std::vector<LineFile> members;  // the reference first
        std::vector<bool> protectedCopies;  // one per member
    };

    // Enters the waiting groups into the lists.
    void ListPending();
    COLORREF NextColour();
    // Selects the group listed last and scrolls the candidates to it: done
    // as the candidate list is drawn, since only that state can be seen.
    void ShowNewestGroup();

    CGroupList& groupList_;
    CCandidateList& candidates_;
    ProtectedFolders protected_;
    std::shared_ptr<const engine::FileTable> files_;  // of the comparison that runs
    std::unique_ptr<ListRedrawBatch> redraw_;  // while a comparison runs
    std::vector<PendingGroup> pending_;
    // The colour of the last group listed; later comparisons go on with the
    // next one.
    int colour_ = 0;
    int newestGroup_ = -1;  // listed but not yet shown, or -1
    int newestReferenceLine_ = 0;
};
