#pragma once
// Whether a held file is reached through its own name. Under Wine a link to
// a file opens the file it points to, and deleting through the link deletes
// that file: the name the system resolved for it then differs from its
// folder's resolved name joined with its own name. Each folder is resolved
// once, so that a folder reached through a link still holds its own files.
// Where the system cannot give the resolved name, the file is not vouched
// for.
#include "platform/FileIdentities.h"
#include "review/FilePath.h"
#include "review/HeldFile.h"

#include <map>

class DirectNames {
public:
    bool IsReachedDirectly(const HeldFile& file);

private:
    FileIdentities identities_;
    std::map<FilePath, FilePath> resolvedFolders_;  // with a final backslash
};
