#pragma once
// Replaces the files of the ticked candidate lines with hard links to the
// copy that stays: every name stays, the content is stored once. In each
// group the copy that stays is its first unticked line; a group whose lines
// are all ticked has none and keeps its files. A file is replaced only
// while it is the very file that the comparison read and holds the bytes
// of the copy that stays, which is also still the file compared; both stay
// held without write sharing from that check on. The link is made under a
// temporary name, through the held copy, in a temporary folder inside the
// file's folder, and one rename puts it in place of the file: the name
// never leads to nothing, and on any failure the file stays as it was and
// the temporary name goes. (Under Wine each new name costs a look through
// its whole folder for one differing in case: a folder of its own keeps
// that short.) The temporary folders go at the end of the run.
// A replaced file's line leaves the list; every other ticked line stays
// where it is, ticked.
#include "common/MessagePump.h"
#include "engine/SearchView.h"
#include "platform/HardLinks.h"
#include "review/CandidateList.h"
#include "review/ConfirmedTicks.h"
#include "review/TickedFileRun.h"
#include "review/HeldFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Why a ticked file was not replaced, in the order the message lists them.
enum class LinkRefusal {
    OtherVolume,   // not on the volume of the copy that stays
    NoHardLinks,   // its file system has none
    LinkLimit,     // the copy that stays has all the names it may have
    Changed,       // it, or the copy that stays, is no longer the file compared
    NoTarget,      // every line of its group is ticked
    ReadOnly,
    Failed,        // could not be read, is reached through a link, or the rename failed
    Count
};

// What a run did with the ticked files.
struct LinkSummary {
    int linked = 0;
    std::uint64_t freedBytes = 0;
    std::array<int, static_cast<int>(LinkRefusal::Count)> refused{};
    int Kept() const;
};

class CLinkRun : public TickedFileRun {
public:
    // Called between the link and the rename with the temporary name; a
    // false stops that replacement there, as a failed rename would.
    using RenameGate = std::function<bool(const FilePath& temporaryName)>;

    // The pump is the window's; it outlives the object.
    explicit CLinkRun(MessagePump& pump) : TickedFileRun(pump) {}

    // Shows the files done out of the files ticked on the view's main bar
    // and hands over waiting messages between files.
    LinkSummary Run(CCandidateList& list, SearchView& view);
    void SetRenameGate(RenameGate gate) { renameGate_ = std::move(gate); }

    // The message that tells what was replaced and, by cause, what was
    // kept, for a run that kept any ticked file.
    static std::string SummaryText(const LinkSummary& summary);

private:
    using Candidate = ConfirmedTicks::Candidate;
    using Group = ConfirmedTicks::Group;
    enum class Outcome { Linked, Refused };

    // Replaces the ticked file, or says in `refusal` why not.
    Outcome Replace(const Candidate& ticked, const Group& group, LinkRefusal& refusal);
    // The copy that stays in the ticked file's group, held while the run
    // works on the group; none when it is no longer the file compared.
    HeldFile* TargetFor(const Candidate& ticked, const Group& group);
    // Links the target under a temporary name in the temporary folder
    // inside the folder of `ticked`; ERROR_SUCCESS with the name, or the
    // system's error code.
    DWORD LinkNextTo(const HeldFile& target, const FilePath& ticked, FilePath& temporaryName);
    // The run's temporary folder inside `folder`, made on first use;
    // empty when none could be made.
    FilePath TemporaryFolderIn(const FilePath& folder);
    void RemoveTemporaryFolders();
    static LinkRefusal RefusalOf(DWORD linkError, const FilePath& target);

    RenameGate renameGate_;
    HardLinks links_;
    std::unique_ptr<HeldFile> target_;  // of `targetGroup_`
    int targetGroup_ = -1;
    bool targetHeld_ = false;  // the target was looked at for `targetGroup_`
    std::map<FilePath, FilePath> temporaryFolders_;  // by the folder they are in
    unsigned temporaryCount_ = 0;
};
