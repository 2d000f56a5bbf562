#pragma once
// The ticked lines of the candidate list as the user confirmed them, taken
// before a run changes the first file, so that the run's own work cannot
// turn a group into an "all ticked" one; and the walk over them that the
// runs on ticked files share: from the last line up, showing the files done
// out of the files ticked on the view's main bar, handing over waiting
// messages between files.
#include "engine/FileInfo.h"
#include "engine/OperationContext.h"
#include "review/CandidateList.h"
#include "review/FilePath.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class ConfirmedTicks {
public:
    // A line as the user confirmed it.
    struct Candidate {
        int line;
        int group;
        FilePath path;
        FileInfo file;
    };
    // Whether every line of a group was ticked, and its unticked lines in
    // list order.
    struct Group {
        bool allTicked = true;
        std::vector<const Candidate*> kept;
    };

    explicit ConfirmedTicks(const CCandidateList& list);
    ConfirmedTicks(const ConfirmedTicks&) = delete;
    ConfirmedTicks& operator=(const ConfirmedTicks&) = delete;

    const Group& GroupOf(const Candidate& candidate) const { return groups_.at(candidate.group); }

    // Hands each ticked candidate whose line is still ticked to `handle`,
    // from the last line up, each a step of `operation` (begun on the view
    // of the run), then calls `finish` (if any) while the bar still shows
    // the run. false when an abort came before a file.
    bool Walk(CCandidateList& list, OperationContext& operation,
              const std::function<void(const Candidate&)>& handle,
              const std::function<void()>& finish = nullptr) const;

    // Removes the lines (in any order) whose files are done, and returns
    // the bytes of their files.
    static std::uint64_t RemoveLines(CCandidateList& list, std::vector<int> lines);

private:
    std::vector<Candidate> candidates_;
    std::map<int, Group> groups_;
    std::vector<const Candidate*> ticked_;  // from the last line up
};
