#include "review/DeletionRun.h"

#include "review/core/ReviewTexts.h"

#include <cstdio>
#include <utility>

namespace {
std::string Count(const char* format, int count) {
    char text[160];
    std::snprintf(text, sizeof text, format, count);
    return text;
}
}  // namespace

DeletionSummary CDeletionRun::Run(CCandidateList& list, int recycleFlag, SearchView& view) {
    Begin(view);
    DeletionSummary summary;

    const ConfirmedTicks ticks(list);
    const bool recycle = recycleFlag != 0;
    const bool walked = ticks.Walk(
        list, operation_,
        [&](const Candidate& candidate) {
            switch (Delete(candidate, ticks.GroupOf(candidate), recycle)) {
            case Outcome::Deleted:
                ++summary.deleted;
                gone_.push_back(candidate.line);
                break;
            case Outcome::Batched: break;
            case Outcome::Changed: ++summary.changed; break;
            case Outcome::NoCopyLeft: ++summary.noCopyLeft; break;
            case Outcome::Failed: ++summary.failed; break;
            case Outcome::Unverified: ++summary.unverified; break;
            }
            if (batch_.IsFull()) MoveBatch(summary);
        },
        [&] { MoveBatch(summary); });
    if (!walked) {
        batch_ = RecycleBatch();
        return summary;
    }
    summary.deletedBytes = ConfirmedTicks::RemoveLines(list, gone_);
    return summary;
}

CDeletionRun::Outcome CDeletionRun::Delete(const Candidate& ticked, const Group& group, bool recycle) {
    auto file = std::make_unique<HeldFile>(ticked.path, recycle ? HeldFile::Use::Recycle : HeldFile::Use::DeleteNow);
    if (!file->IsOpen()) return file->NamesNoFile() ? Outcome::Changed : Outcome::Failed;
    switch (file->Check(ticked.file, identities_)) {
    case HeldFile::Match::Changed: return Outcome::Changed;
    case HeldFile::Match::Unverified: return Outcome::Unverified;
    case HeldFile::Match::AsRecorded: break;
    }
    // Deleting through a link would delete the file it points to.
    if (!names_.IsReachedDirectly(*file)) return Outcome::Failed;
    std::unique_ptr<HeldFile> keptCopy;
    if (!group.allTicked) {
        Outcome missing = Outcome::NoCopyLeft;
        keptCopy = KeptCopyFor(ticked, *file, group, missing);
        if (!keptCopy) return missing;
    }
    if (recycle) {
        batch_.Add(ticked.line, std::move(file), std::move(keptCopy));
        return Outcome::Batched;
    }
    return file->DeleteNow(identities_) ? Outcome::Deleted : Outcome::Failed;
}

std::unique_ptr<HeldFile> CDeletionRun::KeptCopyFor(const Candidate& ticked, HeldFile& file, const Group& group,
                                                     Outcome& outcome) {
    outcome = Outcome::NoCopyLeft;
    for (const Candidate* kept : group.kept) {
        auto copy = std::make_unique<HeldFile>(kept->path, HeldFile::Use::Keep);
        const HeldFile::Match match = copy->Check(kept->file, identities_);
        // A copy that cannot be told from the file is no copy to keep.
        if (match == HeldFile::Match::Unverified && outcome == Outcome::NoCopyLeft) outcome = Outcome::Unverified;
        if (match != HeldFile::Match::AsRecorded || !copy->IsOtherFileThan(file)) continue;
        if (file.HasSameBytesAs(*copy, ticked.file.size, buffers_)) return copy;
        // Both are the files compared, but their bytes differ now.
        outcome = Outcome::Changed;
    }
    return nullptr;
}

void CDeletionRun::MoveBatch(DeletionSummary& summary) {
    std::vector<int> failed;
    const std::size_t goneBefore = gone_.size();
    batch_.MoveAll(gone_, failed, identities_);
    summary.deleted += static_cast<int>(gone_.size() - goneBefore);
    summary.failed += static_cast<int>(failed.size());
}

std::string CDeletionRun::SummaryText(const DeletionSummary& summary) {
    std::string text = Count("%d ファイルを削除しました\n", summary.deleted) + "削除したファイルの容量: " +
                       reviewtext::Size(summary.deletedBytes) + "\n" +
                       Count("%d ファイルは削除しませんでした\n", summary.Kept());
    if (summary.changed > 0) text += Count("\n検索後に変更されていた: %d ファイル", summary.changed);
    if (summary.noCopyLeft > 0) text += Count("\n変更のないコピーが残っていない: %d ファイル", summary.noCopyLeft);
    if (summary.failed > 0) text += Count("\n削除できなかった: %d ファイル", summary.failed);
    if (summary.unverified > 0) text += Count("\n確認できなかったファイル: %d", summary.unverified);
    return text + "\n\n削除しなかったファイルはチェックを付けたまま残しています";
}

int CDeletionRun::FirstLineOfGroup(const CCandidateList& list, int group) {
    const int count = list.Count();
    for (int line = 0; line < count; ++line) {
        if (list.LineGroup(line) == group) return line;
    }
    return -1;
}
