#include "shell/cli/lazy_libraries.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>

#include "shell/startup.h"

namespace {

std::mutex gResolving;

[[noreturn]] void fail(const std::string& what) {
    const std::string line = "jotwise: " + what + "\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, line.data(), line.size());
    ::_exit(shell::kProgramFailed);
}

}  // namespace

extern "C" void* jotwise_lazy_resolve(unsigned index) {
    const std::lock_guard lock(gResolving);
    const LazyFunction& function = jotwise_lazy_functions[index];
    const char* library = jotwise_lazy_libraries[function.library];
    // Global: a library loaded here finds the symbols of the ones loaded before it.
    void* handle = ::dlopen(library, RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        const char* why = ::dlerror();
        fail(std::string("the library ") + library + " cannot be loaded: " + (why ? why : ""));
    }
    void* address = ::dlsym(handle, function.name);
    if (!address) fail(std::string(library) + " has no function " + function.name);
    std::atomic_ref(jotwise_lazy_slots[index]).store(address, std::memory_order_release);
    return address;
}
