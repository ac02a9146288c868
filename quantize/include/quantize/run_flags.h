#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "quantize/color_box.h"

namespace quantize {

// One bit per pixel of a run, bit i for the run's pixel i, 64 to a word.
class RunFlags {
  public:
    // All `count` bits clear.
    void Reset(uint32_t count) {
        count_ = count;
        words_.assign(count / 64 + 1, 0);
    }
    uint32_t Count() const { return count_; }
    bool Test(uint32_t i) const { return (words_[i / 64] >> (i % 64) & 1) != 0; }
    // Bits i to i + 63 (i a multiple of 64); bits past Count() must stay clear.
    uint64_t Word(uint32_t i) const { return words_[i / 64]; }
    void SetWord(uint32_t i, uint64_t bits) { words_[i / 64] = bits; }

  private:
    uint32_t count_ = 0;
    std::vector<uint64_t> words_;
};

// The walk of PartitionRun over the run of flags.Count() pixels from `first`, with goesLast of
// the pixel at run position i given by flag i: the same swaps and split point, but it jumps
// from one pixel to move to the next instead of deciding at every pixel, so it does not
// depend on the processor guessing those decisions. The front of the walk only looks at
// positions before the back and the back only at positions after the front, so neither
// meets a pixel the other has moved, and the flags need not follow the pixels.
struct FlaggedPartition {
    uint32_t split;  // the first pixel of the upper part
    bool moved;      // whether any pixel changed places
};
inline FlaggedPartition PartitionFlagged(std::span<PixEntry> pix, uint32_t first,
                                         const RunFlags& flags) {
    if (flags.Count() == 0) return {first, false};
    bool moved = false;
    uint32_t back = flags.Count() - 1;
    // Pixels that go last, from the front on, in the front's word.
    uint32_t frontWord = 0;
    uint64_t goBits = flags.Word(0);
    // Pixels that stay, up to the back, in the back's word.
    uint32_t backWord = back / 64 * 64;
    uint64_t stayBits = ~flags.Word(backWord) & (~uint64_t{0} >> (63 - back % 64));
    for (;;) {
        while (goBits == 0) {
            frontWord += 64;
            if (frontWord >= back) return {first + back, moved};
            goBits = flags.Word(frontWord);
        }
        const uint32_t front = frontWord + static_cast<uint32_t>(std::countr_zero(goBits));
        if (front >= back) return {first + back, moved};
        goBits &= goBits - 1;
        // The last pixel that stays after the front, or the front itself.
        uint32_t stay = front;
        for (;;) {
            if (stayBits != 0) {
                const uint32_t last =
                    backWord + 63 - static_cast<uint32_t>(std::countl_zero(stayBits));
                if (last > front) {
                    stay = last;
                    stayBits &= ~(uint64_t{1} << (last % 64));
                }
                break;
            }
            if (backWord <= front) break;
            backWord -= 64;
            stayBits = ~flags.Word(backWord);
        }
        back = stay;
        std::swap(pix[first + front], pix[first + back]);
        moved = moved || front != back;
        if (front + 1 >= back) return {first + back, moved};
    }
}

}  // namespace quantize
