#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "quantize/map_distance.h"

namespace quantize {

// For each cell of the colour cube, the palette entries that can be nearest to one of the
// cell's colours under MapDistance, or tie with the nearest: an entry is left out only when
// its least possible distance to the cell exceeds some entry's greatest possible distance by
// more than MapDistance's rounding. Cells of 64 values per component take their lists from all
// entries, cells of 32, 16 and then of 8 from the list of the cell around them, and a crowded
// 8-cell is split into cells of 4; each list is made when a colour first needs it.
class CandidateGrid {
  public:
    explicit CandidateGrid(std::span<const FloatPaletteEntry> entries);

    // The candidates of a colour's cell as arrays of their fields, in the order of the entries
    // given to the constructor, with their positions there. `count` is a multiple of four,
    // made up with entries far beyond every colour (position -1); c1, c2 and lum follow c0 at
    // steps of `count` in one stretch of floats. Valid until the next call.
    struct Candidates {
        const float* c0;
        const float* c1;
        const float* c2;
        const float* lum;
        const int32_t* position;
        std::size_t count;
    };
    Candidates For(uint8_t c0, uint8_t c1, uint8_t c2) {
        uint32_t index = CoarseCellOf(c0, c1, c2);
        if (runs_[kCoarse][index].count == 0) Make(kCoarse, index);
        int level = kCoarse;
        while (runs_[level][index].count > kCrowded && level + 1 < kLevels) {
            index = Finer(level, index, c0, c1, c2);
            ++level;
        }
        return lists_[level].Of(runs_[level][index]);
    }

    // The cells of 16 values per component, which every colour of the cube falls into.
    static constexpr uint32_t kCoarseCells = 16 * 16 * 16;
    static uint32_t CoarseCellOf(uint8_t c0, uint8_t c1, uint8_t c2) {
        return (uint32_t{c0} & 0xF0) << 4 | (uint32_t{c1} & 0xF0) | uint32_t{c2} >> 4;
    }
    // Sets `candidates` to what For gives every colour of the coarse cell, and returns true,
    // when the cell is searched whole; returns false when its colours use finer cells (or
    // there are no entries), which For then finds colour by colour.
    bool CoarseCandidates(uint32_t cell, Candidates& candidates) {
        if (runs_[kCoarse][cell].count == 0) Make(kCoarse, cell);
        const Run& run = runs_[kCoarse][cell];
        if (run.count == 0 || run.count > kCrowded) return false;
        candidates = lists_[kCoarse].Of(run);
        return true;
    }

  private:
    // Cell sizes, as log2 of the values per component. Levels 0 to kCoarse cover the cube,
    // each taking its lists from the one above; a cell of kCoarse or below with more
    // candidates than kCrowded gets eight cells in the level below, which are searched instead.
    static constexpr int kLevels = 5;
    static constexpr int kCoarse = 2;
    static constexpr std::array<int, kLevels> kLevelBits = {6, 5, 4, 3, 2};
    static constexpr uint32_t kCrowded = 12;
    static constexpr uint32_t kNone = UINT32_MAX;
    static_assert(kLevelBits[kCoarse] == 4, "coarse cells have 16 values per component");
    static_assert(kLevelBits[kCoarse] - kLevelBits[kCoarse + 1] == 1 &&
                      kLevelBits[kCoarse + 1] - kLevelBits[kCoarse + 2] == 1,
                  "eight finer cells");

    // A cell's list in its level's Lists; a count of 0 means not made yet (made lists are
    // never empty unless there are no entries at all).
    struct Run {
        uint32_t start = 0;
        uint32_t count = 0;
        uint32_t finer = kNone;  // the first of its eight finer cells in the level below
    };
    // Lists of entries, each in one stretch of floats (c0 of every entry of the list, then c1,
    // c2 and the luminance), which a search reads from end to end, and their positions. Lists
    // are kept in blocks of fixed size, a list within one block, so that making one never
    // moves the others: no copying, and no memory touched but what the lists take.
    struct Lists {
        // Entries per block: a power of two that holds the longest list, all the entries.
        explicit Lists(std::size_t entryCount = 0)
            : blockBits(std::max(12, static_cast<int>(std::bit_width(entryCount + 3)))) {}
        int blockBits;
        std::vector<std::unique_ptr<float[]>> fieldBlocks;
        std::vector<std::unique_ptr<int32_t[]>> positionBlocks;
        std::size_t used = 0;  // entries taken in the last block
        std::size_t BlockEntries() const { return std::size_t{1} << blockBits; }
        Candidates Of(const Run& run) const {
            const std::size_t block = run.start >> blockBits;
            const std::size_t at = run.start & (BlockEntries() - 1);
            const float* fields = fieldBlocks[block].get() + 4 * at;
            const std::size_t count = run.count;
            return Candidates{fields,
                              fields + count,
                              fields + 2 * count,
                              fields + 3 * count,
                              positionBlocks[block].get() + at,
                              count};
        }
        Run Append(std::span<const FloatPaletteEntry> entries, std::span<const int32_t> list);
    };

    static std::size_t CellIndex(int bits, int i0, int i1, int i2) {
        const int perAxis = 256 >> bits;
        return static_cast<std::size_t>((i0 * perAxis + i1) * perAxis + i2);
    }
    // Makes the list of a cell of level kCoarse or above.
    void Make(int level, std::size_t cell);
    // The index of the colour's cell in the level below the cell `index` of `level`, with its
    // list made.
    uint32_t Finer(int level, uint32_t index, uint8_t c0, uint8_t c1, uint8_t c2);
    // Selects from `from` the candidates for the cell (i0, i1, i2) of `level` and appends them
    // to the level's lists.
    Run Select(const Candidates& from, int level, int i0, int i1, int i2);

    std::vector<FloatPaletteEntry> entries_;
    Lists all_;
    Run allRun_;
    std::array<std::vector<Run>, kLevels> runs_;
    std::array<Lists, kLevels> lists_;
    std::vector<int32_t> selected_;  // scratch for Select
};

}  // namespace quantize
