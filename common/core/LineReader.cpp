#include "common/core/LineReader.h"

#include <cstring>

namespace lines {

namespace {
const int PieceBufferSize = 2000;
}  // namespace

bool FindLineWithPrefix(std::FILE* file, const std::string& prefix) {
    char piece[PieceBufferSize];
    while (std::fgets(piece, PieceBufferSize, file)) {
        if (std::strstr(piece, prefix.c_str()) == piece) return true;
    }
    return false;
}

bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    char piece[PieceBufferSize];
    if (!std::fgets(piece, PieceBufferSize, file)) return false;
    line.assign(piece, std::strcspn(piece, "\n"));
    return true;
}

}  // namespace lines
