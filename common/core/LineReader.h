#pragma once
// Line reading for the settings file. Lines are read in pieces of at most
// 1999 bytes (a 2000-byte buffer): a longer line comes in several pieces,
// and each piece counts as a line of its own.
#include <cstdio>
#include <string>

namespace lines {

// Reads on from the current position until a piece begins with `prefix`;
// true then, the file standing just after that piece. False at the end.
bool FindLineWithPrefix(std::FILE* file, const std::string& prefix);

// The next piece without its line feed (a carriage return that the
// run-time leaves in stays, and so do zero bytes). False at the end, with
// `line` empty.
bool ReadLine(std::FILE* file, std::string& line);

}  // namespace lines
