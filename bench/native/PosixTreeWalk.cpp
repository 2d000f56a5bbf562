#include "bench/native/PosixTreeWalk.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

void PosixTreeWalk::Walk(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
    if (!directory) return;
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = prefix + name;
        struct stat status = {};
        if (::lstat(path.c_str(), &status) != 0) continue;
        if (S_ISDIR(status.st_mode)) {
            Walk(path);
        } else if (S_ISREG(status.st_mode)) {
            paths.push_back(path);
            lengths.push_back(static_cast<std::uint64_t>(status.st_size));
            times.push_back(static_cast<std::int64_t>(status.st_mtime));
        }
    }
}
