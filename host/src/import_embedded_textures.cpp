// Images stored inside a 3D file (binary glTF, FBX with embedded media), written out as image
// files so that the materials can name them and the bitmap manager can read them.
#include <stb/stb_image_write.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "import_internal.h"
#include "plughost/bitmap_manager.h"

namespace plughost::import {

namespace fs = std::filesystem;

namespace {

// Image names longer than this are cut: the exporters keep whole paths below 260 characters.
constexpr size_t kMaxStemLength = 64;
// Tries at a free file name before giving up.
constexpr int kMaxNameTries = 1000;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The image's own name as a file name stem: no folders, no extension, no characters that a
// file name on Windows cannot hold. Empty when nothing usable is left.
std::string StemOf(std::string name) {
    if (name.rfind("data:", 0) == 0) return "";  // an inline image's URI is no name
    if (const auto slash = name.find_last_of("/\\"); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || std::strchr("<>:\"/\\|?*", c) != nullptr) c = '_';
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(0, 1);
    if (name.size() > kMaxStemLength) name.resize(kMaxStemLength);
    return name;
}

bool StartsWith(const std::string& bytes, const char* magic, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

// The extension for an image stored as a file: by its first bytes for PNG and JPEG, else by the
// format the reader reports. Empty when neither says anything.
std::string ExtensionOf(const std::string& bytes, const char* hint) {
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return "png";
    if (StartsWith(bytes, "\xff\xd8\xff", 3)) return "jpg";
    std::string ext = Lower(std::string(hint, strnlen(hint, HINTMAXTEXTURELEN)));
    for (char c : ext)
        if (!std::isalnum(static_cast<unsigned char>(c))) return "";
    return ext == "jpeg" ? "jpg" : ext;
}

void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

// Texels as the reader gives them (blue, green, red, alpha) encoded as a PNG file; empty when
// the encoder fails.
std::string EncodePng(const aiTexture& texture) {
    std::string rgba;
    rgba.reserve(static_cast<size_t>(texture.mWidth) * texture.mHeight * 4);
    const size_t count = static_cast<size_t>(texture.mWidth) * texture.mHeight;
    for (size_t i = 0; i < count; ++i) {
        const aiTexel& t = texture.pcData[i];
        rgba += {static_cast<char>(t.r), static_cast<char>(t.g), static_cast<char>(t.b),
                 static_cast<char>(t.a)};
    }
    std::string png;
    const int w = static_cast<int>(texture.mWidth), h = static_cast<int>(texture.mHeight);
    if (stbi_write_png_to_func(&Append, &png, w, h, 4, rgba.data(), w * 4) == 0) return "";
    return png;
}

bool SameContent(const fs::path& file, const std::string& bytes) {
    std::error_code ec;
    if (fs::file_size(file, ec) != bytes.size() || ec) return false;
    std::ifstream in(file, std::ios::binary);
    const std::string have((std::istreambuf_iterator<char>(in)), {});
    return have == bytes;
}

// Writes through a temporary file beside the target, so that a failed write leaves no half
// image under the target's name. False with the reason in `error`.
bool WriteWhole(const fs::path& target, const std::string& bytes, std::string& error) {
    fs::path temp = target;
    temp += ".partial";
    for (int i = 2; fs::exists(temp); ++i) {
        temp = target;
        temp += ".partial" + std::to_string(i);
    }
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (written && closed) fs::rename(temp, target, ec);
    if (!written || !closed || ec) {
        error = ec ? ec.message() : std::strerror(writeErrno);
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace

EmbeddedTextures::EmbeddedTextures(const aiScene& scene, std::string folder, std::string sceneStem,
                                   std::vector<std::string>& warnings)
    : scene_(scene),
      folder_(std::move(folder)),
      sceneStem_(std::move(sceneStem)),
      warnings_(warnings) {}

std::string EmbeddedTextures::FileFor(const std::string& reference, const std::string& what) {
    const std::string digits = reference.substr(1);
    const bool number = !digits.empty() && digits.size() < 10 &&
                        digits.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long index = number ? std::stoul(digits) : 0;
    if (!number || index >= scene_.mNumTextures || scene_.mTextures[index] == nullptr) {
        warnings_.push_back(what + ": texture \"" + reference +
                            "\" names no image stored in the file; left out");
        return "";
    }
    const auto key = static_cast<unsigned>(index);
    if (const auto done = files_.find(key); done != files_.end()) return done->second;
    return files_[key] = Write(key, what);
}

std::string EmbeddedTextures::Write(unsigned index, const std::string& what) {
    const aiTexture& texture = *scene_.mTextures[index];
    const std::string image = "embedded image " + std::to_string(index) + " of " + what;
    std::string bytes, extension;
    if (texture.mHeight == 0) {
        // Stored as an image file of mWidth bytes.
        if (texture.pcData != nullptr)
            bytes.assign(reinterpret_cast<const char*>(texture.pcData), texture.mWidth);
        extension = ExtensionOf(bytes, texture.achFormatHint);
    } else if (texture.pcData != nullptr &&
               static_cast<long long>(texture.mWidth) * texture.mHeight <= kMaxBitmapPixels) {
        // Raw texels, no larger than the bitmap manager would read back.
        bytes = EncodePng(texture);
        extension = "png";
    }
    if (bytes.empty() || extension.empty()) {
        warnings_.push_back(image + ": no image data of a known format; left out");
        return "";
    }

    std::string stem = StemOf(texture.mFilename.C_Str());
    if (stem.empty()) stem = sceneStem_ + "_texture" + std::to_string(index);
    // A name already in use (by another image of this file, or by a file of other content)
    // gets a number: nothing that is already there is overwritten.
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const std::string candidate = n == 1 ? stem : stem + "_" + std::to_string(n);
        if (stemsTaken_.count(Lower(candidate)) > 0) continue;
        const fs::path target = fs::absolute(fs::path(folder_) / (candidate + "." + extension));
        std::error_code ec;
        const bool exists = fs::exists(target, ec);
        if (exists && !SameContent(target, bytes)) continue;
        std::string error;
        if (!exists) {
            fs::create_directories(target.parent_path(), ec);
            if (!WriteWhole(target, bytes, error)) {
                warnings_.push_back(image + ": cannot write " + target.string() + " (" + error +
                                    "); left out");
                return "";
            }
        }
        stemsTaken_.insert(Lower(candidate));
        if (n > 1)
            warnings_.push_back(image + ": written as " + target.lexically_normal().string() +
                                ", since the name \"" + stem + "\" is taken");
        return target.lexically_normal().string();
    }
    warnings_.push_back(image + ": no free file name for \"" + stem + "\" in " + folder_ +
                        "; left out");
    return "";
}

}  // namespace plughost::import
