#pragma once
// Progress and node helpers shared by the exporters' scene walks.
#include <hostsdk/host.h>

#include <string>

namespace frame {

// The work function handed to the progress display: the work itself runs on the caller's thread.
unsigned long NoProgressWork(void* argument);

// Starts a progress phase: the title, a visible bar, and 0 %.
void StartProgressPhase(HostInterface& host, const char* title);

// done * 100 / total, truncated; 0 when there is nothing to do.
int ProgressPercent(long long done, long long total);

// The node's name; a node without a name has the empty name.
std::string NodeName(SceneNode& node);

}  // namespace frame
