#include "cli/large_quote_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace rq::cli {

void PrepareHeapForLargeQuote()
{
    constexpr int kLargestHeapBlock = 32 << 20; // glibc's ceiling for blocks kept in the heap
    if (mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 0 || mallopt(M_TOP_PAD, 64 << 20) == 0
        || mallopt(M_TRIM_THRESHOLD, 256 << 20) == 0)
        return;
    // The heap takes its first large step for this block; from it to the heap's new end is
    // where the rooms and the quote's rows will lie.
    char* const block = static_cast<char*>(std::malloc(16 << 20));
    const auto from = reinterpret_cast<std::uintptr_t>(block);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const long page = sysconf(_SC_PAGESIZE);
    if (block != nullptr && page > 0 && end > from) {
        const auto mask = static_cast<std::uintptr_t>(page) - 1;
        if (const std::uintptr_t start = (from + mask) & ~mask; start < end)
            madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    std::free(block);
}

} // namespace rq::cli
