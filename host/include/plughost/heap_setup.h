#pragma once
// How plughost's memory is laid out for large scenes.

namespace plughost {

// Importing a scene and exporting it fill tens of megabytes, and each 4 KB page is a page fault
// when first written: on a virtual machine that is most of an export's time. This reserves a
// heap (address space only) that the system backs with 2 MB pages where it grants them on
// request, keeps every allocation in it and keeps freed memory for reuse. Call first in main;
// without huge pages everything works as before.
void PrepareHeapForLargeScenes();

}  // namespace plughost
