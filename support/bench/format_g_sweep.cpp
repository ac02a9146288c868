// Checks support::FormatG against the C library's "%g" on every one of the 2^32 float bit
// patterns (NaNs and infinities included). Run by hand: about an hour of processor time.
//   format_g_sweep [THREADS [FIRST_BLOCK]]   (default: every core, from the start)
// The patterns run in 256 blocks of 2^24; progress names the blocks done, and FIRST_BLOCK
// resumes a sweep that was stopped.
// Prints each mismatch (the first 20 per thread) and exits 1 when there is any.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>
#include <vector>

#include "support/format_g.h"
#include "support/testing/printf_g.h"

namespace {

constexpr uint64_t kPatterns = uint64_t{1} << 32;
constexpr uint64_t kBlock = uint64_t{1} << 24;

std::atomic<uint64_t> nextBlock{0};
std::atomic<uint64_t> mismatches{0};
std::atomic<uint64_t> blocksDone{0};

void Sweep() {
    int reported = 0;
    for (;;) {
        const uint64_t block = nextBlock.fetch_add(1);
        if (block * kBlock >= kPatterns) return;
        for (uint64_t bits = block * kBlock; bits < (block + 1) * kBlock; ++bits) {
            const auto pattern = static_cast<uint32_t>(bits);
            float f;
            std::memcpy(&f, &pattern, sizeof f);
            char buffer[support::kFormatGMaxLength];
            const std::string_view ours(
                buffer, static_cast<size_t>(support::FormatGTo(buffer, f) - buffer));
            char reference[64];
            const std::string_view theirs = support::testing::PrintfGTo(reference, f);
            if (ours == theirs) continue;
            mismatches.fetch_add(1);
            if (reported++ < 20)
                std::printf("0x%08x: FormatG \"%.*s\", printf \"%.*s\"\n", pattern,
                            static_cast<int>(ours.size()), ours.data(),
                            static_cast<int>(theirs.size()), theirs.data());
        }
        const uint64_t done = blocksDone.fetch_add(1) + 1;
        std::fprintf(stderr, "block %llu done (%llu blocks so far)\n",
                     static_cast<unsigned long long>(block), static_cast<unsigned long long>(done));
    }
}

}  // namespace

int main(int argc, char** argv) {
    unsigned threads =
        argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : std::thread::hardware_concurrency();
    if (threads == 0) threads = 1;
    if (argc > 2) nextBlock = static_cast<uint64_t>(std::atoll(argv[2]));
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) workers.emplace_back(Sweep);
    for (auto& w : workers) w.join();
    std::printf("%llu of the %llu float patterns swept differ from printf's %%g\n",
                static_cast<unsigned long long>(mismatches.load()),
                static_cast<unsigned long long>(blocksDone.load() * kBlock));
    return mismatches.load() == 0 ? 0 : 1;
}
