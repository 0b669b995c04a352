#pragma once

namespace shell::cli {

// `jotwise add` allocates a few MiB in tens of thousands of small blocks (the contacts, their
// keywords, the store's pages) and ends. Page by page, the kernel maps that memory in one
// fault per 4 KiB, which on a virtual machine costs about 10 µs each: more than the work
// itself. This asks the allocator to take its memory in 2 MiB pages where the system has
// them (transparent huge pages), so that it comes in a few faults. Where the system has
// none, nothing changes. `jotwise add` calls it before the static constructors run; a
// second call changes nothing.
void UseLargePagesForOneRun();

}  // namespace shell::cli
