// The tray program's file: `jotwise` loads it and calls jotwise_tray_main when it is to run
// the tray program. Only these two functions are exported; everything else is the file's own.
#include <iostream>

#include "shell/startup.h"
#include "shell/tray_module.h"
#include "shell/ui/tray_program.h"

extern "C" __attribute__((visibility("default"))) int jotwise_tray_module_version() {
    return shell::kTrayModuleVersion;
}

extern "C" __attribute__((visibility("default"))) int jotwise_tray_main(int argc, char** argv) {
    // Qt keeps a reference to the count for as long as the application lives: this frame
    // outlives it.
    int count = argc;
    shell::ui::QtDesktopPlatform platform(count, argv);
    return shell::RunTrayProgram(platform, std::cerr);
}
