#include "frame/export_progress.h"

namespace frame {

unsigned long NoProgressWork(void*) {
    return 0;
}

void StartProgressPhase(HostInterface& host, const char* title) {
    host.ProgressStart(title, true, &NoProgressWork, nullptr);
    host.ProgressUpdate(0);
}

int ProgressPercent(long long done, long long total) {
    return total > 0 ? static_cast<int>(done * 100 / total) : 0;
}

std::string NodeName(SceneNode& node) {
    const char* name = node.GetName();
    return name ? name : "";
}

}  // namespace frame
