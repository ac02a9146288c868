#include "json_messages.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <nlohmann/json.hpp>
#include <vector>

namespace plughost {

namespace {

using nlohmann::json;

// "parse error at line 3, column 7: syntax error ..." without the library's prefix.
std::string WithoutPrefix(const std::string& what) {
    const auto at = what.find("parse error");
    if (at != std::string::npos) return what.substr(at);
    const auto close = what.find("] ");
    return close == std::string::npos ? what : what.substr(close + 2);
}

// Follows the document's events to know where a fault is: the JSON path of the value being read,
// and how deep the document nests.
class FaultFinder : public nlohmann::json_sax<json> {
  public:
    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(false); }
    bool key(string_t& name) override {
        frames_.back().key = name;
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(true); }
    bool end_array() override { return Close(); }

    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& e) override {
        // 406: a number too large for a double, which the library reports as out of range.
        message_ = e.id == 406 ? PathOfNextValue() + ": number out of range"
                               : "invalid JSON: " + WithoutPrefix(e.what());
        return false;
    }

    const std::string& Message() const { return message_; }
    size_t MaxDepth() const { return maxDepth_; }

  private:
    struct Frame {
        bool isArray = false;
        std::string key;    // in an object: the member being read
        size_t values = 0;  // in an array: the values begun so far
    };

    bool Value() {
        if (!frames_.empty() && frames_.back().isArray) ++frames_.back().values;
        return true;
    }
    bool Open(bool isArray) {
        Value();
        frames_.push_back({isArray, {}, 0});
        maxDepth_ = std::max(maxDepth_, frames_.size());
        return true;
    }
    bool Close() {
        frames_.pop_back();
        return true;
    }

    // The path as the loader writes it: "root.children[0].position[2]"; the top level's
    // members have no prefix, anything else at the top is "(top level)".
    std::string PathOfNextValue() const {
        std::string path;
        for (size_t i = 0; i < frames_.size(); ++i) {
            const Frame& f = frames_[i];
            const bool last = i + 1 == frames_.size();
            if (f.isArray) {
                if (i == 0) path = "(top level)";
                path += "[" + std::to_string(last ? f.values : f.values - 1) + "]";
            } else {
                path += (i == 0 ? "" : ".") + f.key;
            }
        }
        return path.empty() ? "(top level)" : path;
    }

    std::vector<Frame> frames_;
    size_t maxDepth_ = 0;
    std::string message_;
};

simdjson::dom::array ArrayOf(simdjson::dom::element j) {
    return j.get_array().value_unsafe();
}
simdjson::dom::object ObjectOf(simdjson::dom::element j) {
    return j.get_object().value_unsafe();
}

// Values nested deeper than this print as "..." in messages.
constexpr int kMaxPrintedDepth = 32;

json ToJson(simdjson::dom::element value, int depth) {
    using simdjson::dom::element_type;
    if (depth > kMaxPrintedDepth) return "...";
    switch (value.type()) {
        case element_type::ARRAY: {
            json out = json::array();
            for (simdjson::dom::element item : ArrayOf(value))
                out.push_back(ToJson(item, depth + 1));
            return out;
        }
        case element_type::OBJECT: {
            json out = json::object();
            // A name given twice keeps its last value, as in the library's own reading.
            for (simdjson::dom::key_value_pair member : ObjectOf(value))
                out[std::string(member.key)] = ToJson(member.value, depth + 1);
            return out;
        }
        case element_type::INT64:
            return value.get_int64().value_unsafe();
        case element_type::UINT64:
            return value.get_uint64().value_unsafe();
        case element_type::DOUBLE:
            return value.get_double().value_unsafe();
        case element_type::STRING:
            return std::string(value.get_string().value_unsafe());
        case element_type::BOOL:
            return value.get_bool().value_unsafe();
        case element_type::NULL_VALUE:
            return nullptr;
    }
    return nullptr;
}

}  // namespace

std::string DescribeInvalidJson(const std::string& text, size_t maxDepth, std::string& normalized) {
    normalized.clear();
    FaultFinder finder;
    try {
        if (!json::sax_parse(text, &finder)) return finder.Message();
        if (finder.MaxDepth() <= maxDepth) normalized = json::parse(text).dump();
    } catch (const std::exception& e) {
        return std::string("invalid JSON: ") + e.what();
    }
    return "";
}

std::string JsonText(simdjson::dom::element value) {
    return ToJson(value, 0).dump();
}

}  // namespace plughost
