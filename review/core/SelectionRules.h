#pragma once
// The rules that tick and untick many candidate lines at once. Lines come in
// list order, a group's lines standing together. A rule returns every line's
// tick afterwards; it never leaves a group it changes with every copy
// ticked, and lines it does not name keep their ticks. A protected copy is
// a kept copy: no rule ticks it, and it counts as the unticked copy that
// stays.
#include <cstdint>
#include <vector>

namespace selection {

struct Copy {
    int group = 0;
    std::int64_t lastWriteTime = 0;
    bool inFolder = false;  // in the folder of the line the rule was chosen on
    bool ticked = false;
    bool protectedCopy = false;
};

enum class Rule {
    KeepNewest,    // in each group the newest copy unticked, the others ticked
    KeepOldest,    // the same with the oldest copy
    KeepFolder,    // groups with copies in the folder: those unticked, the others ticked
    TickFolder,    // the copies in the folder ticked, where an unticked copy stays elsewhere
    KeepOnlyLine,  // the chosen line's group: that line unticked, the others ticked
    UntickAll,
};

// `line` is the line the rule was chosen on (KeepOnlyLine needs one). Among
// copies of equal time, the one listed first is the one kept.
std::vector<bool> Apply(Rule rule, const std::vector<Copy>& copies, int line);

}  // namespace selection
