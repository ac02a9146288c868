#include "stb_decode.h"

#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rawsmith {
namespace {

// The two parts as one stream for stb_image's callbacks.
class JoinedReader {
  public:
    JoinedReader(std::span<const uint8_t> header, std::span<const uint8_t> body)
        : header_(header), body_(body) {}

    static stbi_io_callbacks Callbacks() { return {&Read, &Skip, &AtEnd}; }
    bool ranOut() const { return ranOut_; }

  private:
    std::size_t Size() const { return header_.size() + body_.size(); }

    static int Read(void* user, char* out, int size) {
        auto& self = *static_cast<JoinedReader*>(user);
        std::size_t wanted = static_cast<std::size_t>(std::max(size, 0));
        std::size_t given = 0;
        while (wanted > 0 && self.at_ < self.Size()) {
            const bool inHeader = self.at_ < self.header_.size();
            const auto part = inHeader ? self.header_.subspan(self.at_)
                                       : self.body_.subspan(self.at_ - self.header_.size());
            const std::size_t n = std::min(wanted, part.size());
            std::copy_n(part.data(), n, out + given);
            given += n;
            wanted -= n;
            self.at_ += n;
        }
        if (given == 0 && size > 0) self.ranOut_ = true;
        return static_cast<int>(given);
    }

    static void Skip(void* user, int n) {
        auto& self = *static_cast<JoinedReader*>(user);
        if (n < 0) {  // stb_image's "unget"
            self.at_ -= std::min(static_cast<std::size_t>(-static_cast<long long>(n)), self.at_);
            return;
        }
        const std::size_t left = self.Size() - self.at_;
        if (static_cast<std::size_t>(n) > left) self.ranOut_ = true;
        self.at_ += std::min(static_cast<std::size_t>(n), left);
    }

    static int AtEnd(void* user) {
        const auto& self = *static_cast<JoinedReader*>(user);
        return self.at_ >= self.Size() ? 1 : 0;
    }

    std::span<const uint8_t> header_;
    std::span<const uint8_t> body_;
    std::size_t at_ = 0;
    bool ranOut_ = false;
};

}  // namespace

StbDecoded DecodeWithStb(std::span<const uint8_t> header, std::span<const uint8_t> body) {
    StbDecoded result;
    JoinedReader reader(header, body);
    const stbi_io_callbacks callbacks = JoinedReader::Callbacks();
    int width = 0, height = 0, components = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
        stbi_load_from_callbacks(&callbacks, &reader, &width, &height, &components, 3),
        &stbi_image_free);
    result.truncated = reader.ranOut();
    if (!rgb) {
        // Some of stb_image's failures (damaged compressed data) set no reason of their own, so
        // the reason left is that of the JPEG test stb_image tries on every input first.
        const char* reason = stbi_failure_reason();
        const bool given = reason != nullptr && *reason != 0 && std::strcmp(reason, "no SOI") != 0;
        result.failure = given ? reason : "no reason given";
        return result;
    }
    TrueColorImage& image = result.image;
    image.width = width;
    image.height = height;
    image.bgr.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (std::size_t i = 0; i < image.bgr.size(); i += 3) {
        image.bgr[i] = rgb.get()[i + 2];
        image.bgr[i + 1] = rgb.get()[i + 1];
        image.bgr[i + 2] = rgb.get()[i];
    }
    return result;
}

}  // namespace rawsmith
