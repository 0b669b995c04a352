#pragma once

namespace sentex {

// Whether parses are traced: when SENTEX_TRACE is set in the environment, and always on
// Windows, whose debugger output channel only a debugger or a log viewer reads.
bool traceRequested();

// Writes one line to the trace channel: standard error, or on Windows the debugger output.
void writeTrace(const char* line);

}  // namespace sentex
