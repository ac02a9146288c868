#include "hostsdk/host.h"

#include "hostsdk/bitmap.h"

BitmapManager* TheManager = nullptr;

namespace {
int customControlsInits = 0;
}

void InitCustomControls(ModuleHandle) {
    ++customControlsInits;
}
int CustomControlsInitCount() {
    return customControlsInits;
}
