#include "review/core/SelectionRules.h"

#include <cstddef>

namespace selection {

namespace {

// The lines [first, end) of one group.
struct Span {
    std::size_t first;
    std::size_t end;
};

std::vector<Span> GroupsOf(const std::vector<Copy>& copies) {
    std::vector<Span> groups;
    for (std::size_t at = 0; at < copies.size();) {
        std::size_t end = at + 1;
        while (end < copies.size() && copies[end].group == copies[at].group) ++end;
        groups.push_back({at, end});
        at = end;
    }
    return groups;
}

// The group's newest (or oldest) copy, the first listed among equals.
std::size_t Extreme(const std::vector<Copy>& copies, const Span& group, bool newest) {
    std::size_t kept = group.first;
    for (std::size_t at = group.first + 1; at < group.end; ++at) {
        const std::int64_t time = copies[at].lastWriteTime, best = copies[kept].lastWriteTime;
        if (newest ? time > best : time < best) kept = at;
    }
    return kept;
}

void KeepOne(std::vector<bool>& ticks, const Span& group, std::size_t kept) {
    for (std::size_t at = group.first; at < group.end; ++at) ticks[at] = at != kept;
}

void ApplyToGroup(Rule rule, const std::vector<Copy>& copies, const Span& group, std::size_t line,
                  std::vector<bool>& ticks) {
    switch (rule) {
    case Rule::KeepNewest:
    case Rule::KeepOldest:
        KeepOne(ticks, group, Extreme(copies, group, rule == Rule::KeepNewest));
        break;
    case Rule::KeepFolder: {
        bool hasCopyThere = false;
        for (std::size_t at = group.first; at < group.end; ++at) hasCopyThere = hasCopyThere || copies[at].inFolder;
        if (!hasCopyThere) return;
        for (std::size_t at = group.first; at < group.end; ++at) ticks[at] = !copies[at].inFolder;
        break;
    }
    case Rule::TickFolder: {
        bool keptElsewhere = false;
        for (std::size_t at = group.first; at < group.end; ++at)
            keptElsewhere = keptElsewhere || copies[at].protectedCopy || (!copies[at].inFolder && !copies[at].ticked);
        if (!keptElsewhere) return;
        for (std::size_t at = group.first; at < group.end; ++at)
            if (copies[at].inFolder) ticks[at] = true;
        break;
    }
    case Rule::KeepOnlyLine:
        if (line >= group.first && line < group.end) KeepOne(ticks, group, line);
        break;
    case Rule::UntickAll:
        for (std::size_t at = group.first; at < group.end; ++at) ticks[at] = false;
        break;
    }
}

}  // namespace

std::vector<bool> Apply(Rule rule, const std::vector<Copy>& copies, int line) {
    std::vector<bool> ticks(copies.size());
    for (std::size_t at = 0; at < copies.size(); ++at) ticks[at] = copies[at].ticked;
    const std::size_t chosen = line < 0 ? copies.size() : static_cast<std::size_t>(line);
    for (const Span& group : GroupsOf(copies)) ApplyToGroup(rule, copies, group, chosen, ticks);
    for (std::size_t at = 0; at < copies.size(); ++at)
        if (copies[at].protectedCopy) ticks[at] = false;
    return ticks;
}

}  // namespace selection
