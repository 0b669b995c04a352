// The module's version, which the program checks before it calls anything else in it.
#include "outlook/local/desktop/desktop_module.h"

extern "C" __attribute__((visibility("default"))) int jotwise_desktop_module_version() {
    return outlook::local::desktop::kDesktopModuleVersion;
}
