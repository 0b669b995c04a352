#pragma once

namespace shell::cli {

// Loads the tray program's file and runs it with the process's command line; its exit code.
// A file that cannot be loaded, or one of another build, is said on stderr and ends the
// program with kProgramFailed.
int RunTrayModule(int argc, char** argv);

}  // namespace shell::cli
