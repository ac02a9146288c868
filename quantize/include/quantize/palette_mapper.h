#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "quantize/candidate_grid.h"
#include "quantize/map_distance.h"

namespace quantize {

// Finds, for any colour, the index that a plain search from entry 0 upwards would find: the
// lowest index among the entries with the smallest distance below kMapStartBound. It gets
// there faster by searching only the candidates of the colour's cell (CandidateGrid), without
// duplicate entries, and by remembering recent colours.
class PaletteMapper {
  public:
    explicit PaletteMapper(std::span<const FloatPaletteEntry> palette);

    // The index of the nearest entry, or -1 when no entry lies below kMapStartBound.
    int Nearest(uint8_t c0, uint8_t c1, uint8_t c2);

    // Maps one row of three-byte pixels. Even rows (row 0 too) run from the last pixel to the
    // first, odd rows from the first to the last; a pixel with no entry below the start bound
    // takes the index of the pixel mapped before it in that order, or 0 when it comes first.
    void MapRow(const uint8_t* pixels, int width, int row, uint8_t* indices);

    // Maps rows firstRow to firstRow + rowCount - 1 of an image, `pixels` and `indices` pointing
    // at the first of them, with the same result as MapRow on each, without remembering
    // colours: for images whose colours are nearly all different, such as noise, where
    // remembering does not pay and searching pixels cell by cell does.
    void MapRows(const uint8_t* pixels, int width, int firstRow, int rowCount, uint8_t* indices);

    // How many colours MapRow and Nearest have searched for, rather than remembered.
    std::size_t Searches() const { return searches_; }

  private:
    struct FreeMemory {
        void operator()(uint32_t* memory) const { std::free(memory); }
    };

    int Search(uint8_t c0, uint8_t c1, uint8_t c2);
    // The position in the grid of the colour's nearest entry among candidates that For gives
    // it, or -1 when no entry lies below the start bound.
    // With kGroups above 0, `candidates` holds exactly 4 * kGroups.
    template <int kGroups>
    [[gnu::always_inline]] inline int NearestAmong(const CandidateGrid::Candidates& candidates,
                                                   uint8_t c0, uint8_t c1, uint8_t c2) const;
    // Search with MapDistance for every candidate that may be nearest, for the colours whose
    // float estimates leave more than one; its position in the grid, or -1.
    int SearchExactly(const CandidateGrid::Candidates& candidates, uint8_t c0, uint8_t c1,
                      uint8_t c2, float lum) const;
    // Search, keeping the answer in the cache slot.
    int SearchAndKeep(uint32_t colour, uint32_t& slot);

    std::vector<int> entryIndex_;  // palette index of each entry of the grid
    CandidateGrid grid_;
    std::array<std::array<double, 256>, 3> lumTerms_;  // 0.3, 0.59 and 0.11 times each byte
    std::array<float, 256> byteValues_;  // each byte as a float, which loads faster than converts
    // Recent colours with their indices, one slot per hash of the colour: the colour in the low
    // 24 bits, the index in the high 8. Zeroed by calloc, so that the pages of slots never
    // used are never touched.
    std::unique_ptr<uint32_t[], FreeMemory> cache_;
    std::size_t searches_ = 0;
    // Scratch for MapRows: each pixel's coarse cell, where each cell's pixels start and end in
    // byCell_, which holds the pixels' places in cell order.
    std::vector<uint16_t> cellOf_;
    std::vector<uint32_t> cellStarts_;
    std::vector<uint32_t> cellEnds_;
    std::vector<uint32_t> byCell_;
};

}  // namespace quantize
