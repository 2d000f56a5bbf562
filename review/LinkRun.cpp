#include "review/LinkRun.h"

#include "platform/WidePath.h"
#include "review/core/ReviewTexts.h"

#include <cstdio>
#include <utility>

namespace {
std::string Count(const char* format, int count) {
    char text[160];
    std::snprintf(text, sizeof text, format, count);
    return text;
}

// Indexed by LinkRefusal.
const char* const RefusalLines[] = {
    "別のドライブにあるファイル: %d",
    "ハードリンクを作れないドライブのファイル: %d",
    "リンクの数が上限に達したファイル: %d",
    "検索後に変更されていたファイル: %d",
    "残すファイルがないファイル: %d",
    "読み取り専用のファイル: %d",
    "その他の理由で置き換えられなかったファイル: %d",
};
static_assert(sizeof RefusalLines / sizeof RefusalLines[0] == static_cast<int>(LinkRefusal::Count),
              "one line per refusal");

// Taken names are tried again with the next number; so many taken in a row
// means something else is wrong.
const int TemporaryNameTries = 16;
}  // namespace

int LinkSummary::Kept() const {
    int kept = 0;
    for (int count : refused) kept += count;
    return kept;
}

LinkSummary CLinkRun::Run(CCandidateList& list, SearchView& view) {
    Begin(view);
    LinkSummary summary;

    const ConfirmedTicks ticks(list);
    const bool walked = ticks.Walk(list, operation_, [&](const Candidate& candidate) {
        LinkRefusal refusal = LinkRefusal::Failed;
        if (Replace(candidate, ticks.GroupOf(candidate), refusal) == Outcome::Linked) {
            ++summary.linked;
            gone_.push_back(candidate.line);
        } else {
            ++summary.refused[static_cast<int>(refusal)];
        }
    });
    target_.reset();
    targetHeld_ = false;
    targetGroup_ = -1;
    RemoveTemporaryFolders();
    if (!walked) return summary;
    summary.freedBytes = ConfirmedTicks::RemoveLines(list, gone_);
    return summary;
}

CLinkRun::Outcome CLinkRun::Replace(const Candidate& ticked, const Group& group, LinkRefusal& refusal) {
    if (group.allTicked) {
        refusal = LinkRefusal::NoTarget;
        return Outcome::Refused;
    }
    // Read and kept from being written, moved or deleted until the rename.
    HeldFile file(ticked.path, HeldFile::Use::Keep);
    refusal = LinkRefusal::Changed;
    if (!file.IsOpen()) {
        if (!file.NamesNoFile()) refusal = LinkRefusal::Failed;
        return Outcome::Refused;
    }
    switch (file.Check(ticked.file, identities_)) {
    case HeldFile::Match::AsRecorded: break;
    case HeldFile::Match::Changed: return Outcome::Refused;
    case HeldFile::Match::Unverified: refusal = LinkRefusal::Failed; return Outcome::Refused;
    }
    refusal = LinkRefusal::Failed;
    // Through a link, the link's name would be replaced, not the file.
    if (!names_.IsReachedDirectly(file)) return Outcome::Refused;
    if (file.IsReadOnly()) {
        refusal = LinkRefusal::ReadOnly;
        return Outcome::Refused;
    }
    HeldFile* target = TargetFor(ticked, group);
    if (!target) {
        refusal = LinkRefusal::Changed;
        return Outcome::Refused;
    }
    if (!file.IsOtherFileThan(*target)) return Outcome::Refused;
    if (!file.IsOnVolumeOf(*target)) {
        refusal = LinkRefusal::OtherVolume;
        return Outcome::Refused;
    }
    if (!file.HasSameBytesAs(*target, ticked.file.size, buffers_)) {
        refusal = LinkRefusal::Changed;
        return Outcome::Refused;
    }

    FilePath temporaryName;
    const DWORD linkError = LinkNextTo(*target, ticked.path, temporaryName);
    if (linkError != ERROR_SUCCESS) {
        refusal = RefusalOf(linkError, target->Path());
        return Outcome::Refused;
    }
    // An open name cannot be replaced: the file is let go just before its
    // rename, which fails, leaving it whole, should anyone open it between.
    bool replaced = !renameGate_ || renameGate_(temporaryName);
    if (replaced) {
        file.Release();
        replaced = HeldFile::ReplaceName(temporaryName, ticked.path);
    }
    if (!replaced) {
        HeldFile::RemoveName(temporaryName);
        return Outcome::Refused;
    }
    return Outcome::Linked;
}

HeldFile* CLinkRun::TargetFor(const Candidate& ticked, const Group& group) {
    // A group's ticked lines come one after another: its target is held
    // for all of them, and looked at once.
    if (!targetHeld_ || targetGroup_ != ticked.group) {
        const Candidate& kept = *group.kept.front();
        target_ = std::make_unique<HeldFile>(kept.path, HeldFile::Use::LinkTarget);
        if (target_->Check(kept.file, identities_) != HeldFile::Match::AsRecorded) target_.reset();
        targetGroup_ = ticked.group;
        targetHeld_ = true;
    }
    return target_.get();
}

DWORD CLinkRun::LinkNextTo(const HeldFile& target, const FilePath& ticked, FilePath& temporaryName) {
    const FilePath folder = TemporaryFolderIn(widepath::FolderOf(ticked));
    if (folder.empty()) return ERROR_CANNOT_MAKE;
    // Each link leaves the folder before the next one comes.
    temporaryName = folder + L"link.tmp";
    return target.LinkAs(temporaryName, links_);
}

FilePath CLinkRun::TemporaryFolderIn(const FilePath& folder) {
    const auto known = temporaryFolders_.find(folder);
    if (known != temporaryFolders_.end()) return known->second;
    FilePath made;
    // A taken name, another program's, is left alone.
    for (int attempt = 0; attempt < TemporaryNameTries && made.empty(); ++attempt) {
        wchar_t name[48];
        std::swprintf(name, sizeof name / sizeof name[0], L"~vellaro-%lu-%u",
                      static_cast<unsigned long>(GetCurrentProcessId()), ++temporaryCount_);
        if (HeldFile::MakeFolder(folder + name)) made = folder + name + L"\\";
        else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    // Also a failure is remembered: the folder's next files fail at once.
    temporaryFolders_.emplace(folder, made);
    return made;
}

void CLinkRun::RemoveTemporaryFolders() {
    for (const auto& entry : temporaryFolders_)
        if (!entry.second.empty()) HeldFile::RemoveFolder(entry.second.substr(0, entry.second.size() - 1));
    temporaryFolders_.clear();
}

LinkRefusal CLinkRun::RefusalOf(DWORD linkError, const FilePath& target) {
    switch (linkError) {
    case ERROR_NOT_SAME_DEVICE: return LinkRefusal::OtherVolume;
    case ERROR_TOO_MANY_LINKS: return LinkRefusal::LinkLimit;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED: return LinkRefusal::NoHardLinks;
    default: return HardLinks::VolumeLacksLinks(target) ? LinkRefusal::NoHardLinks : LinkRefusal::Failed;
    }
}

std::string CLinkRun::SummaryText(const LinkSummary& summary) {
    std::string text = Count("%d ファイルをハードリンクに置き換えました\n", summary.linked) + "空いた容量: " +
                       reviewtext::Size(summary.freedBytes) + "\n" +
                       Count("%d ファイルは置き換えませんでした\n", summary.Kept());
    for (int cause = 0; cause < static_cast<int>(LinkRefusal::Count); ++cause)
        if (summary.refused[cause] > 0) text += "\n" + Count(RefusalLines[cause], summary.refused[cause]);
    return text + "\n\n置き換えなかったファイルはチェックを付けたまま残しています";
}
