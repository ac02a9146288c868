#pragma once
// What the scene loader says about JSON it cannot use: the scene is read with a fast parser that
// tells only that a document is invalid, while the messages (where a syntax error is, how a value
// prints) are those of the JSON library the loader was first written with, so they stay the same.
#include <simdjson.h>

#include <string>

namespace plughost {

// Why the text is not a JSON document, as "invalid JSON: parse error at line 2, column 12: ..."
// or "root.position[0]: number out of range" (a number beyond what a double holds), or empty
// when the text is a JSON document after all. Then `normalized` is the same document written
// in the plainest form (no byte order mark, integers too long for 64 bits as reals), which the
// fast parser reads, unless the document nests deeper than `maxDepth`.
std::string DescribeInvalidJson(const std::string& text, size_t maxDepth, std::string& normalized);

// A value as the loader's messages print it: strings quoted and escaped, objects compact with
// their members in name order.
std::string JsonText(simdjson::dom::element value);

}  // namespace plughost
