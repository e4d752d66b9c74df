#pragma once

#include <cstdio>
#include <cstring>

// Every program of bench/ answers --help (or -h) with its usage and does no work.
inline bool printedHelp(int argc, char** argv, const char* usage)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
    }
    return false;
}
