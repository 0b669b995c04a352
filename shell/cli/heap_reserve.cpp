#include "shell/cli/heap_reserve.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace shell::cli {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// What a run with a few thousand contacts allocates, and a huge page for the alignment.
constexpr std::size_t kReserve = std::size_t{8} << 20;

// What a run with a thousand contacts touches, mapped before it runs.
constexpr std::size_t kMapped = std::size_t{4} << 20;
#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;  // Linux 5.14
#endif

bool reserved = false;

// `jotwise add` reserves its heap before the static constructors run, so that the tables the
// parser builds in one of them come from the reserve too. glibc passes the program's
// arguments to these constructors.
[[gnu::constructor(101)]] void reserveBeforeStaticConstructors(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "add") ReserveHeapForOneRun();
}

}  // namespace

void ReserveHeapForOneRun() {
    if (reserved) return;
    reserved = true;
    // Blocks up to the reserve come from the heap, the heap grows by the reserve at once, and
    // what is freed stays for the next block instead of going back to the system.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kReserve));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kReserve));
    mallopt(M_TOP_PAD, static_cast<int>(kReserve));
    // Volatile: a block allocated and freed unused would be optimised away, and the heap
    // would not grow.
    void* volatile grow = std::malloc(kHugePage);
    std::free(grow);

    // The free top of the heap, where the next blocks come from. Its start up to the first
    // 2 MiB boundary is taken by a block that is never touched (so never mapped), so that
    // the run's blocks begin on a huge page.
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    const std::uintptr_t top = end - mallinfo2().keepcost;
    const std::uintptr_t huge = (top + kHugePage - 1) & ~(kHugePage - 1);
    if (end < huge + kHugePage) return;
    constexpr std::uintptr_t kChunkHeader = 2 * sizeof(std::size_t);
    if (huge - top > 2 * kChunkHeader) {
        [[maybe_unused]] void* volatile skipped = std::malloc(huge - top - 2 * kChunkHeader);
    }
    const std::size_t length = std::min<std::size_t>((end - huge) & ~(kHugePage - 1), kMapped);
    auto* const start = reinterpret_cast<void*>(huge);
    ::madvise(start, length, MADV_HUGEPAGE);
    // Mapped now, in one call, rather than on the first touch of each page. A kernel older
    // than 5.14 refuses the request, and the pages come on first touch as before.
    ::madvise(start, length, kPopulateWrite);
}

}  // namespace shell::cli
