#pragma once
// Compares the contents of the files of each run and lists the groups of
// identical files: one group-list entry per group, one candidate line per
// file, with progress, the remaining-time estimate and the time taken.
#include "common/CommonTools.h"
#include "engine/FileInfo.h"
#include "engine/PacedProgressBar.h"
#include "platform/Window.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCandidateList;

class CContentComparer {
public:
    virtual ~CContentComparer() = default;
    // Runs over the runs of `runLengths` (ended by NoIndex) and reorders
    // `paths` and `infos` inside each run: every group's members stand
    // together where its reference stood.
    void CompareAll(std::vector<std::string>& paths, std::vector<FileInfo>& infos,
                    const std::vector<int>& runLengths, int fileCount, ComboBox groupList,
                    CCandidateList& candidates, Edit statusField, ProgressBar mainProgress,
                    ProgressBar runProgress);
    void Abort() { aborted_ = true; }
    // Bytes read by the last comparison.
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    void CompareRuns();
    void CompareRun(int first, int length);
    // Lists one group: its reference (member 0) unticked, the others ticked.
    void RecordGroup(int first, const std::vector<std::size_t>& members);
    // Selects the group listed last and scrolls the candidates to it: done
    // as the candidate list is drawn, since only that state can be seen.
    void ShowNewestGroup();
    void Reorder(int first, const std::vector<std::size_t>& order);
    void ReportOpenFailure(const std::string& path);
    void ShowRemainingTime(int done);

    PacedProgressBar runProgress_;
    CCandidateList* candidates_ = nullptr;
    ComboBox groupList_;
    std::int64_t startTime_ = 0;
    Edit statusField_;
    std::string shownEstimate_;  // the estimate in the status field, if any
    int newestGroup_ = -1;       // listed but not yet shown, or -1
    int newestReferenceLine_ = 0;
    ProgressBar mainProgress_;
    int fileCount_ = 0;
    const std::vector<int>* runLengths_ = nullptr;
    std::vector<std::string>* paths_ = nullptr;
    std::vector<FileInfo>* infos_ = nullptr;
    bool aborted_ = false;
    CCommonTools tools_;
    bool reportOpenFailures_ = true;
    std::uint64_t bytesRead_ = 0;
};
