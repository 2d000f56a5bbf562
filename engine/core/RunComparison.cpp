#include "engine/core/RunComparison.h"

#include "engine/core/BlockComparison.h"

namespace engine {

RunResult CompareRunByBlocks(RunFiles& files, RunProgress& progress, std::vector<unsigned char>& buffer) {
    BlockComparison comparison(files, progress, buffer);
    return comparison.Run();
}

std::vector<std::size_t> OrderAfterGrouping(std::size_t count, const std::vector<std::vector<std::size_t>>& groups) {
    constexpr std::size_t NoGroup = static_cast<std::size_t>(-1);
    std::vector<std::size_t> groupOf(count, NoGroup);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t member : groups[g]) {
            if (member < count) {
                groupOf[member] = g;
            }
        }
    }

    std::vector<std::size_t> order;
    order.reserve(count);
    for (std::size_t file = 0; file < count; ++file) {
        const std::size_t g = groupOf[file];
        if (g == NoGroup) {
            order.push_back(file);
        } else if (groups[g].front() == file) {
            order.insert(order.end(), groups[g].begin(), groups[g].end());
        }
        // A later member already stands with its group's first member.
    }
    return order;
}

bool ReadExactly(RunFiles& files, std::size_t file, std::uint64_t offset, unsigned char* buffer, std::size_t size,
                 bool atEnd, std::uint64_t& bytesRead) {
    // A file gives fewer bytes than asked only at its end, so one read says
    // whether the file is shorter, or (asking one byte more) longer.
    const std::size_t wanted = atEnd ? size + 1 : size;
    const std::int64_t count = files.Read(file, offset, buffer, wanted);
    if (count < 0) {
        return false;
    }
    bytesRead += static_cast<std::uint64_t>(count);
    return static_cast<std::uint64_t>(count) == size;
}

}  // namespace engine
