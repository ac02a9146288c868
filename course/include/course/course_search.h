#pragma once
// Finding the node of a course export: depth first from the root, parents before children,
// children in the host's order; the first node whose name equals the wanted one ignoring ASCII
// case wins. A node without a name counts as the empty name.
#include <hostsdk/host.h>

#include <string_view>

namespace course {

enum class SearchOutcome { Found, NotFound, Cancelled };

struct CourseSearchResult {
    SearchOutcome outcome = SearchOutcome::NotFound;
    SceneNode* node = nullptr;  // Found: the node
};

// Polls the host's cancel request once before each node (a missing child counts as a node), so
// a cancel stops the search before the next one.
CourseSearchResult FindCourseNode(HostInterface& host, SceneNode* root, std::string_view name);

// Whether a node's name (null for none) is `wanted`, A to Z and a to z being equal.
bool NodeNameMatches(const char* nodeName, std::string_view wanted);

}  // namespace course
