#include "huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace plughost {

void PreferHugePages(const void* data, std::size_t bytes) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (data == nullptr || bytes < kHugePage) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    // Advice only: where it is refused the pages are simply small.
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace plughost
