#pragma once

// The tray program's own file, which `jotwise` loads only to run it: it holds the windows and
// everything they link (Qt, the desktop's libraries), which `jotwise add` and the commands to
// the running program never need. Installed in lib/jotwise/, found through the program's run
// path (beside it in the build folder).
namespace shell {

inline constexpr const char* kTrayModuleFile = "libjotwise-tray.so";

// What the tray program's file says it is, checked before it runs: a file of another build
// is not run.
inline constexpr int kTrayModuleVersion = 1;

}  // namespace shell

// The tray program's entry points, as its file exports them.
extern "C" {
int jotwise_tray_module_version();
// Runs the tray program with the process's command line; its exit code.
int jotwise_tray_main(int argc, char** argv);
}
