#pragma once
// Saves the candidate list as a comma-separated file in UTF-8 with a byte
// order mark, which spreadsheets need to read names in any script: per line
// its group's number, the file's size in bytes and local last-write time,
// whether it is ticked, and its exact full path. The file is written beside
// the chosen one under a temporary name and takes its place only when
// complete, so a failed save leaves an earlier file whole.
#include "review/CandidateList.h"

#include <string>

class CListExport {
public:
    // Failed: the file could not be written completely; no temporary file
    // is left behind. ReadOnly: a read-only file, or a folder, has the
    // name; nothing was written.
    enum class Result { Saved, Failed, ReadOnly };
    static Result Save(const CCandidateList& list, const std::wstring& path);
    // What the user reads when Save failed.
    static std::string FailureMessage(const std::string& path);
    // What the user reads when the file may not be written, as for a
    // settings file: "<name without its folder>が開けません".
    static std::string ReadOnlyMessage(const std::string& path);
};
