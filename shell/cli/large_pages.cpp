#include "shell/cli/large_pages.h"

#include <mimalloc.h>

#include <string_view>

namespace shell::cli {
namespace {

// `jotwise add` turns large pages on before the static constructors run, so that the tables
// the parser builds in one of them come from large pages too. glibc passes the program's
// arguments to these constructors.
[[gnu::constructor(101)]] void enableBeforeStaticConstructors(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "add") UseLargePagesForOneRun();
}

}  // namespace

void UseLargePagesForOneRun() {
    // The allocator (mimalloc) asks for large pages (madvise) on each region it maps from now
    // on. The tray program keeps small pages: a large one stays mapped while any of its
    // blocks is in use, which over a long run costs memory for nothing.
    mi_option_enable(mi_option_large_os_pages);
}

}  // namespace shell::cli
