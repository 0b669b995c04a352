// `jotwise add` allocates a few MiB in tens of thousands of small blocks (the contacts, their
// keywords, the store's pages) and ends. Page by page, the kernel maps that memory in one
// fault per 4 KiB, which on a virtual machine costs about 10 µs each: more than the work
// itself. So `jotwise add` asks the allocator (mimalloc) to take its memory in 2 MiB pages
// where the system has them (transparent huge pages), and it comes in a few faults. Where
// the system has none, nothing changes.
//
// The tray program keeps small pages: a large one stays mapped while any of its blocks is in
// use, which over a long run costs memory for nothing.
#include <mimalloc.h>

#include <string_view>

namespace {

// Before the static constructors run, so that the tables the parser builds in one of them
// come from large pages too. glibc passes the program's arguments to these constructors, and
// `add` is always the first of them.
[[gnu::constructor(101)]] void useLargePagesForJotwiseAdd(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "add") mi_option_enable(mi_option_large_os_pages);
}

}  // namespace
