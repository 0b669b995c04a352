#include "trace.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#include <cstdlib>
#endif

namespace sentex {

#if defined(_WIN32)
bool traceRequested() {
    return true;
}

void writeTrace(const char* line) {
    OutputDebugStringA(line);
    OutputDebugStringA("\n");
}
#else
bool traceRequested() {
    return std::getenv("SENTEX_TRACE") != nullptr;
}

void writeTrace(const char* line) {
    std::fprintf(stderr, "%s\n", line);
}
#endif

}  // namespace sentex
