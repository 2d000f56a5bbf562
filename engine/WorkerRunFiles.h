#pragma once
// The files of one run as a comparison worker reads them, and how a worker
// gets them: the program opens the real files (Win32RunFiles), tests hand
// in files whose reads fail, throw or wait as they are told.
#include "engine/GatheredFileList.h"
#include "engine/core/RunComparison.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class WorkerRunFiles : public engine::RunFiles {
public:
    // Told the display text of a file that could not be opened.
    using FailureReport = std::function<void(const std::string& path)>;
    // The run files[first] to files[first + count - 1], all of `length`
    // bytes, whose open failures go to the report. The table outlives them.
    using Opener = std::function<std::unique_ptr<WorkerRunFiles>(
        const GatheredFileList& files, std::size_t first, std::size_t count, std::uint64_t length,
        FailureReport reportOpenFailure)>;

    // The index of a file that opened, as it was then.
    virtual std::uint64_t OpenedIndex(std::size_t file) const = 0;
};
