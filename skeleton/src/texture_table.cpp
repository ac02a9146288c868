#include "skeleton/texture_table.h"

namespace skeleton {

int TextureTable::Find(const TextureRecord& record) const {
    if (!record.valid) return -1;
    for (int i = 0; i < Count(); ++i)
        if (entries_[i] == record) return i;
    return -1;
}

int TextureTable::Add(const TextureRecord& record) {
    if (!record.valid) return -1;
    const int found = Find(record);
    if (found >= 0) return found;
    entries_.push_back(record);
    return Count() - 1;
}

TextureTable& TheTextureTable() {
    static TextureTable table;
    return table;
}

int FindTexture(const TextureTable& table, const TextureRecord& record) {
    return table.Find(record);
}

int AddTexture(TextureTable& table, const TextureRecord& record) {
    return table.Add(record);
}

}  // namespace skeleton
