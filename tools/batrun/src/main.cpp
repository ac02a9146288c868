// batrun: runs a Windows batch file here, as `batrun [/c] FILE [PARAMETERS...]`, the way the
// command interpreter runs it with `/c`.
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "batrun/batch_runner.h"

namespace {

const char* const kUsage = "Usage: batrun [/c] FILE [PARAMETERS...]\n";

const char* const kHelp =
    "Runs the Windows batch file FILE (a .bat text file with LF or CR LF line ends) the way\n"
    "the command interpreter runs it with /c, for the project's batch files: @, echo, rem,\n"
    "labels, del, ren and pause, and any other line as a program found on PATH by its name in\n"
    "any case (RAWSMITH runs rawsmith). %0 to %9 are FILE and its PARAMETERS, %NAME% is an\n"
    "environment variable and %% a percent sign; double quotes make one argument of text with\n"
    "blanks or special characters; a '\\' in a path is read as '/'. pause waits for a key on a\n"
    "terminal and goes on at the end of input. Lines that chain commands, pipe or redirect\n"
    "(& | < > outside quotes) are refused.\n"
    "\n"
    "A failing line is reported on standard error and the run goes on. Exit status: 0 when\n"
    "every line succeeded, else the status of the last line that failed (1 for a program that\n"
    "was not found), 1 when FILE cannot be read, 2 after this usage.\n"
    "\n"
    "  /c          accepted and ignored, as the command interpreter takes it\n"
    "  --help      prints this text\n"
    "  --version   prints the version\n";

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

int Run(int argc, char** argv) {
    int first = 1;
    if (first < argc && std::string(argv[first]) == "--help") {
        std::cout << kUsage << "\n" << kHelp;
        return 0;
    }
    if (first < argc && std::string(argv[first]) == "--version") {
        std::cout << "batrun " << ASSETPIPE_VERSION << "\n";
        return 0;
    }
    if (first < argc && (std::string(argv[first]) == "/c" || std::string(argv[first]) == "/C")) {
        ++first;
    }
    if (first >= argc) {
        std::cerr << kUsage << "Try 'batrun --help' for more.\n";
        return 2;
    }
    const char* path = std::getenv("PATH");
    batrun::BatchRunner runner(std::cout, std::cerr, WaitForKey, path != nullptr ? path : "");
    return runner.RunFile(argv[first], std::vector<std::string>(argv + first + 1, argv + argc));
}

}  // namespace

int main(int argc, char** argv) {
    const int status = Run(argc, argv);
    // What the batch echoed could not be written (a full disk, a closed pipe): the run failed.
    std::cout.flush();
    if (!std::cout || std::ferror(stdout) != 0) {
        std::cerr << "batrun: cannot write standard output\n";
        return status != 0 ? status : 1;
    }
    return status;
}
