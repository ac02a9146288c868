// batrun: runs a Windows batch file here, as `batrun [/c] FILE [PARAMETERS...]`, the way the
// command interpreter runs it with `/c`.
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "batch_runner.h"

namespace {

// pause: one key on a terminal; otherwise one byte of input, and at end of input go on at once.
void WaitForKey() {
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    char key = 0;
    [[maybe_unused]] const ssize_t got = read(STDIN_FILENO, &key, 1);
    if (terminal) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (first < argc && (std::string(argv[first]) == "/c" || std::string(argv[first]) == "/C")) {
        ++first;
    }
    if (first >= argc) {
        std::cerr << "Usage: batrun [/c] FILE [PARAMETERS...]\n";
        return 2;
    }
    const char* path = std::getenv("PATH");
    BatchRunner runner(std::cout, std::cerr, WaitForKey, path != nullptr ? path : "");
    const int status =
        runner.RunFile(argv[first], std::vector<std::string>(argv + first + 1, argv + argc));
    std::cout.flush();
    return status;
}
