#include "plughost/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace plughost {

namespace {

struct PngFailure {
    char message[256] = "";
};

extern "C" void OnPngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

// Writes the picture to an open file; false with libpng's reason in `failure`. Only plain
// data lives in this frame, since libpng leaves it with a long jump on error.
bool WriteTo(FILE* file, int width, int height, const BitmapPixel64* pixels, png_byte* row,
             PngFailure& failure) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
    if (!png) {
        std::snprintf(failure.message, sizeof failure.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        if (!info) std::snprintf(failure.message, sizeof failure.message, "out of memory");
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 16,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const BitmapPixel64* source = pixels + static_cast<size_t>(y) * width;
        png_byte* out = row;
        // PNG stores 16-bit samples most significant byte first.
        for (int x = 0; x < width; ++x)
            for (uint16_t v : {source[x].r, source[x].g, source[x].b, source[x].a}) {
                *out++ = static_cast<png_byte>(v >> 8);
                *out++ = static_cast<png_byte>(v & 0xFF);
            }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng16(const std::string& path, int width, int height,
                const std::vector<BitmapPixel64>& pixels, std::string& error) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        error = path + ": no picture to write";
        return false;
    }
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = path + ": cannot create the file: " + std::strerror(errno);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(width) * 8);
    PngFailure failure;
    const bool written = WriteTo(file, width, height, pixels.data(), row.data(), failure);
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int flushErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        std::remove(temporary.c_str());
        error = path + ": cannot write the file: " +
                (!written ? std::string(failure.message) : std::strerror(flushErrno));
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": cannot write the file: " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace plughost
