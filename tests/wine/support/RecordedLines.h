#pragma once
// Candidate lines carrying what the collection and the comparison recorded
// of their files (length, time and identity), as a comparison leaves them.
#include "platform/FileIdentities.h"
#include "review/CandidateList.h"

#include <string>

void AppendRecordedLine(CCandidateList& list, FileIdentities& identities, const std::wstring& path, int group,
                        bool ticked);
