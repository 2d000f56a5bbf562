#pragma once
// The benchmark's synchronisation with its caller: a program announces a
// point ("ready", "done") and waits for a line on its input, so that the
// caller can sample the process there.
#include <cstdio>

inline void WaitForGo(const char* announce) {
    std::printf("%s\n", announce);
    std::fflush(stdout);
    char line[16];
    // An input that is closed counts as the line.
    if (!std::fgets(line, sizeof line, stdin)) return;
}
