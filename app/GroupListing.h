#pragma once
// The comparison's groups as the main window shows them: one group-list
// entry per group, whose data is the line of its reference, and one
// candidate line per file, in the group's colour, the reference unticked and
// its copies ticked. The candidate list is drawn a few times a second while
// groups arrive, with the newest group selected and in view. Groups wait
// for that drawing to enter the lists, since only the drawn state is seen.
#include "engine/GroupSink.h"
#include "platform/ListRedrawBatch.h"
#include "platform/Window.h"
#include "review/CandidateList.h"

#include <memory>
#include <vector>

class GroupListing : public GroupSink {
public:
    // The lists are the owner's, which outlive this object; they may get
    // their windows later.
    GroupListing(ComboBox& groupList, CCandidateList& candidates) : groupList_(groupList), candidates_(candidates) {}

    void BeginGroups() override;
    void AddGroup(const std::vector<GroupMember>& members) override;
    void RunCompared() override;
    void EndGroups() override;

private:
    struct PendingGroup {
        COLORREF colour;
        std::vector<FileInfo> members;  // the reference first
    };

    // Enters the waiting groups into the lists.
    void ListPending();
    // Appends the lines of the group whose entry is `group`.
    void ListLines(PendingGroup& pending, int group);
    COLORREF NextColour();
    // Selects the group listed last and scrolls the candidates to it: done
    // as the candidate list is drawn, since only that state can be seen.
    void ShowNewestGroup();

    ComboBox& groupList_;
    CCandidateList& candidates_;
    std::unique_ptr<ListRedrawBatch> redraw_;  // while a comparison runs
    std::vector<PendingGroup> pending_;
    // The colour of the last group listed; later comparisons go on with the
    // next one.
    int colour_ = 0;
    int newestGroup_ = -1;  // listed but not yet shown, or -1
    int newestReferenceLine_ = 0;
};
