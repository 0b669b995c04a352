#include "shell/cli/tray_loader.h"

#include <dlfcn.h>

#include <iostream>
#include <string>

#include "shell/startup.h"
#include "shell/tray_module.h"

namespace shell::cli {

int RunTrayModule(int argc, char** argv) {
    // RTLD_LOCAL: the tray program's copy of the program's logic stays its own.
    void* module = dlopen(kTrayModuleFile, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        std::cerr << "jotwise: the tray program could not be loaded: "
                  << (why ? why : kTrayModuleFile) << "\n";
        return kProgramFailed;
    }
    using Version = decltype(&jotwise_tray_module_version);
    using Main = decltype(&jotwise_tray_main);
    const auto version = reinterpret_cast<Version>(dlsym(module, "jotwise_tray_module_version"));
    const auto main = reinterpret_cast<Main>(dlsym(module, "jotwise_tray_main"));
    if (!version || !main || version() != kTrayModuleVersion) {
        std::cerr << "jotwise: the tray program " << kTrayModuleFile
                  << " belongs to another version of Jotwise\n";
        return kProgramFailed;
    }
    // The module stays loaded: the program ends with it.
    return main(argc, argv);
}

}  // namespace shell::cli
