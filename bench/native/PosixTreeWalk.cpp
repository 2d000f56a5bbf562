#include "bench/native/PosixTreeWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

void PosixTreeWalk::Walk(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
    if (!directory) return;
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    const int folderDescriptor = ::dirfd(directory.get());
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = prefix + name;
        // A folder is known from its entry; a file's length and time are
        // asked relative to its folder, which spares the lookup of the path.
        if (entry->d_type == DT_DIR) {
            Walk(path);
            continue;
        }
        struct stat status = {};
        if (::fstatat(folderDescriptor, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(status.st_mode)) {
            Walk(path);
        } else if (S_ISREG(status.st_mode)) {
            paths.push_back(path);
            lengths.push_back(static_cast<std::uint64_t>(status.st_size));
            times.push_back(static_cast<std::int64_t>(status.st_mtime));
        }
    }
}
