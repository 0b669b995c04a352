#include "outlook/local/transport/gmime_support.h"

#include <mutex>

namespace outlook::local::transport {

void ensureGMimeInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

}  // namespace outlook::local::transport
