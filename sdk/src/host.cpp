#include "hostsdk/bitmap.h"
#include "hostsdk/host.h"

BitmapManager* TheManager = nullptr;

namespace {
int customControlsInits = 0;
}

void InitCustomControls(ModuleHandle) { ++customControlsInits; }
int CustomControlsInitCount() { return customControlsInits; }
