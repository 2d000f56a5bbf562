#include "bench/native/PosixRunFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PosixRunFiles::PosixRunFiles(std::vector<const std::string*> paths, std::uint64_t length)
    : paths_(std::move(paths)), length_(length), descriptors_(paths_.size(), -1) {}

PosixRunFiles::~PosixRunFiles() {
    for (std::size_t file = 0; file < descriptors_.size(); ++file) Close(file);
}

bool PosixRunFiles::OpenDescriptor(std::size_t file) {
    descriptors_[file] = ::open(paths_[file]->c_str(), O_RDONLY | O_CLOEXEC);
    return descriptors_[file] >= 0;
}

bool PosixRunFiles::Open(std::size_t file) {
    struct stat status = {};
    if (!OpenDescriptor(file) || ::fstat(descriptors_[file], &status) != 0 ||
        !identities_.emplace(status.st_dev, status.st_ino).second) {
        Close(file);
        ++openFailures_;
        return false;
    }
    return true;
}

bool PosixRunFiles::Reopen(std::size_t file) { return OpenDescriptor(file); }

std::int64_t PosixRunFiles::Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                                 std::size_t size) {
    // On a regular file pread stops short only at the end of the file (or
    // on a signal, before any byte): a short count is the end, and asking
    // again would only cost a call that reads nothing.
    std::size_t done = 0;
    for (;;) {
        const std::size_t asked = size - done;
        const ssize_t count =
            ::pread(descriptors_[file], buffer + done, asked, static_cast<off_t>(offset + done));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return -1;
        done += static_cast<std::size_t>(count);
        if (static_cast<std::size_t>(count) < asked || done == size) break;
    }
    return static_cast<std::int64_t>(done);
}

void PosixRunFiles::Close(std::size_t file) {
    if (descriptors_[file] >= 0) ::close(descriptors_[file]);
    descriptors_[file] = -1;
}
