#include "hostsdk/time.h"

namespace {
int ticksPerFrame = kTicksPerSecond / 30;
}

int GetTicksPerFrame() {
    return ticksPerFrame;
}
void SetTicksPerFrame(int ticks) {
    ticksPerFrame = ticks > 0 ? ticks : 1;
}
