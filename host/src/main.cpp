#include "plughost/commands.h"

int main(int argc, char** argv) {
    return plughost::RunCommandLine(argc, argv);
}
