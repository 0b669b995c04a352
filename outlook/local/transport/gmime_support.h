#pragma once

#include <gmime/gmime.h>

#include <memory>

namespace outlook::local::transport {

// Initialises GMime once for the whole process, whichever thread asks first. GMime is never
// shut down: other threads may still be building messages when the program ends.
void ensureGMimeInitialised();

struct GObjectUnref {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};
// Owns one reference to a GMime (GObject) object.
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<char, GFree>;

}  // namespace outlook::local::transport
