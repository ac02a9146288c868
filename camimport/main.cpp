// camweave: keys the cameras of a camera list (.lc) into the camera of a LightWave scene (.lws),
// one per frame, and writes a batch file that renames the numbered renders after the cameras.
#include <string>
#include <vector>

#include "run.h"

int main(int argc, char** argv) {
    return RunCamweave(std::vector<std::string>(argv + 1, argv + argc));
}
