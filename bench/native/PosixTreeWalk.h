#pragma once
// The native benchmark's collection: walks a folder depth-first with
// opendir/readdir/fstatat, as the program walks with its file finder (each
// subfolder completely before the entries after it), and keeps every regular
// file with its length and modification time. Links are not followed.
#include <cstdint>
#include <string>
#include <vector>

class PosixTreeWalk {
public:
    void Walk(const std::string& folder);

    std::vector<std::string> paths;
    std::vector<std::uint64_t> lengths;
    std::vector<std::int64_t> times;
};
