#pragma once
// Candidate lines carrying what the collection and the comparison recorded
// of their files (length, time and identity), as a comparison leaves them.
#include "platform/FileIdentities.h"
#include "review/CandidateList.h"

#include <string>
#include <utility>
#include <vector>

void AppendRecordedLine(CCandidateList& list, FileIdentities& identities, const std::wstring& path, int group,
                        bool ticked, bool identified = true);

// Relative names in pairs, each with a look-alike that the system's path
// rules, or a best-fit display, would take it for: a name ending in a dot,
// one ending in a space, one with a letter that best fit turns into
// another, one outside cp932, and a path of over 1,000 characters.
std::vector<std::pair<std::wstring, std::wstring>> LookAlikeNames();
