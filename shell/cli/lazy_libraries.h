#pragma once

// The command line loads the calendar and mail libraries (libical, GMime and the GLib under
// it) only when a note first calls one of their functions: most runs of `jotwise add` never
// do, and loading them with the program would cost more than the rest of the run. Every
// such function the program calls has a stub, written at build time by
// cmake/lazy_library_stubs.cmake, whose first call loads the function's library and finds
// the function; later calls jump straight there.

extern "C" {

// One function the stubs reach: its name and the index of its library.
struct LazyFunction {
    const char* name;
    unsigned library;
};

// Written by the stubs' generator: the libraries by soname, the functions by stub index,
// and the slots the stubs jump through.
extern const char* const jotwise_lazy_libraries[];
extern const LazyFunction jotwise_lazy_functions[];
extern void* jotwise_lazy_slots[];

// Loads the library of function `index` and returns the function's address, which it also
// stores in the function's slot. A library or function that cannot be found ends the
// program with a line on stderr, as the dynamic loader does for a library linked normally.
void* jotwise_lazy_resolve(unsigned index);
}
