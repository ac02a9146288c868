#include "course/course_search.h"

#include <vector>

#include "support/ascii.h"

namespace course {

bool NodeNameMatches(const char* nodeName, std::string_view wanted) {
    return support::EqualIgnoringCase(nodeName ? nodeName : "", wanted);
}

CourseSearchResult FindCourseNode(HostInterface& host, SceneNode* root, std::string_view name) {
    // An explicit stack instead of recursion: a scene's depth is not ours to bound. Children
    // are pushed last to first so that they come off in the host's order.
    std::vector<SceneNode*> pending{root};
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        if (host.GetCancel()) return {SearchOutcome::Cancelled, nullptr};
        if (!node) continue;
        if (NodeNameMatches(node->GetName(), name)) return {SearchOutcome::Found, node};
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i)
            pending.push_back(node->GetChildNode(i));
    }
    return {SearchOutcome::NotFound, nullptr};
}

}  // namespace course
