#pragma once
// One press of Delete: removes the files of the ticked candidate lines, into
// the Recycle Bin or for good. A file goes only while it is the very file
// that the comparison read (volume, index, length and time) and, unless the
// user ticked every line of its group, while an unticked line of its group
// names another file, also still the one compared, whose bytes equal its
// bytes when compared now. Both files stay held without write sharing from
// that check until the file is gone. A line whose file went leaves the
// list; every other ticked line stays where it is, ticked.
#include "common/MessagePump.h"
#include "engine/SearchView.h"
#include "platform/Window.h"
#include "review/CandidateList.h"
#include "review/ConfirmedTicks.h"
#include "review/TickedFileRun.h"
#include "review/HeldFile.h"
#include "review/RecycleBatch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What a run did with the ticked files.
struct DeletionSummary {
    int deleted = 0;
    std::uint64_t deletedBytes = 0;
    int changed = 0;     // no longer the file compared, or no longer equal to its copy
    int noCopyLeft = 0;  // no unticked copy of its group is still the file compared
    int failed = 0;      // could not be read, is reached through a link, or did not go
    int unverified = 0;  // which file it is (volume and index) could not be read
    int Kept() const { return changed + noCopyLeft + failed + unverified; }
};

class CDeletionRun : public TickedFileRun {
public:
    // The pump is the window's; it outlives the object.
    explicit CDeletionRun(MessagePump& pump) : TickedFileRun(pump) {}

    // `recycleFlag` non-zero: into the Recycle Bin; zero: for good. Shows
    // the files done out of the files ticked on the view's main bar and
    // hands over waiting messages between files.
    DeletionSummary Run(CCandidateList& list, int recycleFlag, SearchView& view);

    // The message that tells what was kept and why, for a run that kept any
    // ticked file.
    static std::string SummaryText(const DeletionSummary& summary);

    // The index of the first line still in the list that belongs to the
    // group, or -1 when none is left.
    static int FirstLineOfGroup(const CCandidateList& list, int group);

private:
    using Candidate = ConfirmedTicks::Candidate;
    using Group = ConfirmedTicks::Group;
    enum class Outcome { Deleted, Batched, Changed, NoCopyLeft, Failed, Unverified };

    Outcome Delete(const Candidate& ticked, const Group& group, bool recycle);
    // An unticked copy of the group, held, that is still the file compared,
    // another file than `file`, and equal to it byte for byte. `outcome`
    // says why there is none.
    std::unique_ptr<HeldFile> KeptCopyFor(const Candidate& ticked, HeldFile& file, const Group& group,
                                          Outcome& outcome);
    // Moves the batch to the Recycle Bin and counts what went.
    void MoveBatch(DeletionSummary& summary);

    RecycleBatch batch_;
};
