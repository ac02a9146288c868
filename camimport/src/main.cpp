// camweave: keys the cameras of a camera list (.lc) into the camera of a LightWave scene (.lws),
// one per frame, and writes a batch file that renames the numbered renders after the cameras.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "camweave/run.h"

int main(int argc, char** argv) {
    const int status =
        camweave::RunCamweave(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    // Every message goes to standard output; one that could not be written (a full disk, a
    // closed pipe) makes the run a failure, whatever it did.
    std::cout.flush();
    if (!std::cout || std::ferror(stdout) != 0) {
        std::cerr << "camweave: cannot write standard output\n";
        return 1;
    }
    return status;
}
