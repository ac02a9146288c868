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

  private:
    struct FreeMemory {
        void operator()(uint32_t* memory) const { std::free(memory); }
    };

    int Search(uint8_t c0, uint8_t c1, uint8_t c2);
    // Search with MapDistance for every candidate that may be nearest, for the colours whose
    // float estimates leave more than one.
    int SearchExactly(const CandidateGrid::Candidates& candidates, uint8_t c0, uint8_t c1,
                      uint8_t c2, float lum) const;
    // Search, keeping the answer in the cache slot.
    int SearchAndKeep(uint32_t colour, uint32_t& slot);

    std::vector<int> entryIndex_;  // palette index of each entry of the grid
    CandidateGrid grid_;
    std::array<std::array<double, 256>, 3> lumTerms_;  // 0.3, 0.59 and 0.11 times each byte
    // Recent colours with their indices, one slot per hash of the colour: the colour in the low
    // 24 bits, the index in the high 8. Zeroed by calloc, so that the pages of slots never
    // used are never touched.
    std::unique_ptr<uint32_t[], FreeMemory> cache_;
};

}  // namespace quantize
