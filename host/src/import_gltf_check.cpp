// A look at glTF files before the import library reads them, for valid files that crash it.
#include <simdjson.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "import_internal.h"

namespace plughost::import {

namespace {

constexpr char kGlbMagic[4] = {'g', 'l', 'T', 'F'};
constexpr char kJsonChunk[4] = {'J', 'S', 'O', 'N'};

uint32_t LittleEndian32(const char* bytes) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[i]);
    return v;
}

// The JSON text of a glTF file: all of a text file that starts with `{`, or the first chunk of a
// binary file. Nothing for other files, and for files too damaged to tell.
std::optional<std::string> GltfJson(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    in.seekg(0);
    char header[20] = {};
    in.read(header, sizeof header);
    const std::streamsize got = in.gcount();
    if (got == sizeof header && std::memcmp(header, kGlbMagic, 4) == 0 &&
        std::memcmp(header + 16, kJsonChunk, 4) == 0) {
        // The chunk must lie inside the file before anything is allocated for it.
        const uint32_t length = LittleEndian32(header + 12);
        if (length > size - got) return std::nullopt;
        std::string json(length, '\0');
        if (!in.read(json.data(), length)) return std::nullopt;
        return json;
    }
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::streamsize first = got >= 3 && std::memcmp(header, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    while (first < got && isSpace(header[first])) ++first;
    if (first == got || header[first] != '{') return std::nullopt;
    std::string json(static_cast<std::size_t>(size), '\0');
    in.clear();
    in.seekg(0);
    if (!in.read(json.data(), size)) return std::nullopt;
    json.erase(0, static_cast<std::size_t>(first));
    return json;
}

}  // namespace

std::string GltfFault(const std::string& path) {
    std::optional<std::string> json = GltfJson(path);
    if (!json) return "";
    // The library's reader takes strings that are not UTF-8; JSON's structure is all ASCII, so
    // other bytes, which stand only inside strings, become '?' for a parser that checks them.
    for (char& c : *json)
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    simdjson::dom::parser parser;
    simdjson::dom::element doc;
    // JSON the library cannot read is left to it: it says what is wrong.
    if (parser.parse(*json).get(doc) != simdjson::SUCCESS || !doc.is_object()) return "";
    if (doc["asset"].error() != simdjson::SUCCESS) return "";
    simdjson::dom::array skins;
    if (doc["skins"].get(skins) != simdjson::SUCCESS) return "";
    std::size_t index = 0;
    for (simdjson::dom::element skin : skins) {
        // Optional in glTF, but the import library's reader crashes without them.
        if (skin.is_object() && skin["inverseBindMatrices"].error() == simdjson::NO_SUCH_FIELD)
            return "skin " + std::to_string(index) +
                   " has no inverse bind matrices (inverseBindMatrices), which the import "
                   "library cannot read";
        ++index;
    }
    return "";
}

}  // namespace plughost::import
