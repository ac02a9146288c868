// rawsmith's operator new and delete: large blocks (the image, the quantizer's pixel array, the
// indices) on transparent huge pages. A conversion touches a few megabytes once; in 4 KB pages
// that is a thousand page faults, which on a virtual machine cost more than the quantizing.
// Linked into the program only, not into its tests or sanitizer builds.
#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLarge = std::size_t{256} << 10;  // blocks from here on get huge pages

struct Mapping {
    void* block = nullptr;  // what new returned
    void* base = nullptr;   // what mmap returned
    std::size_t length = 0;
};

// The few large blocks alive at a time; when it is full, blocks come from malloc.
std::array<Mapping, 32> g_mappings;
std::size_t g_mapped = 0;  // entries in use, for a quick miss on every small delete
std::mutex g_lock;

void* MapLarge(std::size_t size) {
    // Whole huge pages from a huge-page boundary, which the mapping must contain.
    const std::size_t pages = (size + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t length = pages + kHugePage;
    void* base =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(base);
    void* block = reinterpret_cast<void*>((start + kHugePage - 1) / kHugePage * kHugePage);
    ::madvise(block, pages, MADV_HUGEPAGE);  // a hint: without it the pages are small
    const std::lock_guard<std::mutex> hold(g_lock);
    for (Mapping& mapping : g_mappings) {
        if (mapping.block == nullptr) {
            mapping = {block, base, length};
            ++g_mapped;
            return block;
        }
    }
    ::munmap(base, length);
    return nullptr;
}

// Unmaps the block if it is a large one.
bool UnmapLarge(void* block) {
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_mapped == 0) return false;
    for (Mapping& mapping : g_mappings) {
        if (mapping.block == block) {
            ::munmap(mapping.base, mapping.length);
            mapping = {};
            --g_mapped;
            return true;
        }
    }
    return false;
}

void* Allocate(std::size_t size) {
    if (size >= kLarge) {
        if (void* block = MapLarge(size)) return block;
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void Release(void* block) {
    if (block != nullptr && !UnmapLarge(block)) std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}
