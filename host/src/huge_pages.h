#pragma once
// Large buffers backed by huge pages where the system grants them on request. The first write
// to each page of a buffer costs a fault, and on virtual machines a costly one: a buffer of tens
// of megabytes in 2 MB pages costs a few dozen instead of thousands.
#include <cstddef>

namespace plughost {

// Asks for huge pages for the whole pages within [data, data + bytes); smaller buffers and a
// system that declines are left as they are.
void PreferHugePages(const void* data, std::size_t bytes);

}  // namespace plughost
