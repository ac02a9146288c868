#include "plughost/heap_setup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace plughost {

void PrepareHeapForLargeScenes() {
    constexpr int kReserve = 512 << 20;
    constexpr int kDefaultTopPad = 128 << 10;
    // Every block from the one heap (large ones would otherwise be mapped, and unmapped when
    // freed), and freed memory never given back.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
    // The next growth of the heap reserves kReserve more; a block the heap cannot hold yet
    // makes it grow.
    mallopt(M_TOP_PAD, kReserve);
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* volatile probe = std::malloc(1 << 20);  // volatile: the pair must not be optimised out
    std::free(probe);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    mallopt(M_TOP_PAD, kDefaultTopPad);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (before + page - 1) / page * page;
    const std::uintptr_t end = after / page * page;
    // Advice only: where it is refused the pages are simply small.
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace plughost
