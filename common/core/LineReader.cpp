#include "common/core/LineReader.h"

#include <algorithm>
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
    // A zero byte inside the line would hide the rest of it from strlen. With
    // the buffer filled with line feeds first, the last zero in it is the
    // one fgets wrote after what it read.
    char piece[PieceBufferSize];
    std::memset(piece, '\n', sizeof piece);
    if (!std::fgets(piece, PieceBufferSize, file)) return false;
    const char* start = piece;
    const char* end = start + PieceBufferSize - 1;
    while (*end != '\0') --end;
    line.assign(start, std::find(start, end, '\n'));
    return true;
}

}  // namespace lines
