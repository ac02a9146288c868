// Feeds arbitrary bytes to rawsmith's image readers (Targa, PPM, and the checks in front of
// stb_image for run-length encoded Targa and PNG). A read either fails with a reason or gives
// an image whose pixel buffer matches its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rawsmith/image_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const rawsmith::ImageResult image = rawsmith::ReadImage(std::span(data, size));
    if (!image) {
        if (image.error().empty()) std::abort();
        return 0;
    }
    if (image->width < 1 || image->height < 1 || image->width > 65535 || image->height > 65535 ||
        image->bgr.size() != static_cast<std::size_t>(image->width) * image->height * 3) {
        std::abort();
    }
    return 0;
}
