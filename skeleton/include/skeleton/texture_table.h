#pragma once
// The distinct textures of a Pose export in the order faces first use them; an entry's position
// is its texture index in the .POS file.
#include <vector>

#include "skeleton/texture_record.h"

namespace skeleton {

class TextureTable {
  public:
    void Clear() { entries_.clear(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TextureRecord& operator[](int index) const { return entries_[index]; }
    // Index of the entry equal to `record`; -1 when the record is not valid or not listed.
    int Find(const TextureRecord& record) const;
    // -1 when the record is not valid; otherwise its index, appending it when it is new.
    int Add(const TextureRecord& record);

  private:
    std::vector<TextureRecord> entries_;
};

// The library's process-wide table.
TextureTable& TheTextureTable();

// The table's Find and Add, by the names the Pose export uses.
int FindTexture(const TextureTable& table, const TextureRecord& record);
int AddTexture(TextureTable& table, const TextureRecord& record);

}  // namespace skeleton
