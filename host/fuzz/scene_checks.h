// Checks shared by the scene harnesses. The fuzz build defines NDEBUG, so they do not use assert.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "plughost/scene.h"

namespace scene_fuzz {

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Evaluates every node of a loaded scene at its range's ends, its current time and a time long
// before its keys, as an exporter would.
inline void Evaluate(plughost::HostNode& node, const plughost::Scene& scene) {
    for (TimeValue t : {scene.range.start, scene.time, scene.range.end, TimeValue{-1000000}}) {
        node.GetNodeTM(t);
        node.GetObjectTM(t);
        node.EvalWorldState(t);
    }
    for (int i = 0; i < node.NumberOfChildren(); ++i) Evaluate(*node.Child(i), scene);
}

}  // namespace scene_fuzz
