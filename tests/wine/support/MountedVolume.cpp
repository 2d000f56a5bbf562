#include "support/MountedVolume.h"

#include "support/HostCommand.h"

#include <windows.h>

MountedVolume::MountedVolume(const std::string& folder) : unixFolder_(host::UnixName(folder)) {
    if (unixFolder_.empty()) return;
    // The mark is written only into the new file system.
    const std::string mark = folder + "\\mounted.mark";
    host::RunScript("mount -t tmpfs -o size=2m vellaro-test '" + unixFolder_ + "' 2>/dev/null && : > '" + unixFolder_ +
                    "/mounted.mark'");
    mounted_ = GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileA(mark.c_str());
}

MountedVolume::~MountedVolume() {
    if (mounted_) host::RunScript("umount -l '" + unixFolder_ + "'");
}
