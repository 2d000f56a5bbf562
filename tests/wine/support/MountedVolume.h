#pragma once
// A small tmpfs mounted on a folder of the host: a second file system below
// a drive's root, as a USB stick or a network share is under Wine.
// Mounting needs root on the host; unmounted when the object goes.
#include <string>

class MountedVolume {
public:
    // `folder` must exist and be empty.
    explicit MountedVolume(const std::string& folder);
    ~MountedVolume();
    MountedVolume(const MountedVolume&) = delete;
    MountedVolume& operator=(const MountedVolume&) = delete;

    bool Mounted() const { return mounted_; }
    static constexpr const char* NotMounted = "no tmpfs could be mounted here (the host needs root and mount)";

private:
    std::string unixFolder_;
    bool mounted_ = false;
};
