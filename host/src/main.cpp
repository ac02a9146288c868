#include "plughost/commands.h"
#include "plughost/heap_setup.h"

int main(int argc, char** argv) {
    plughost::PrepareHeapForLargeScenes();
    return plughost::RunCommandLine(argc, argv);
}
