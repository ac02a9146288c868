#include "xvfb_server.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace plughost::testing {

namespace {
std::string display;

// Reads the display number Xvfb writes to the pipe once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number;
}
}  // namespace

const std::string& XvfbEnvironment::Display() {
    return display;
}

void XvfbEnvironment::SetUp() {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string fd = std::to_string(fds[1]);
    std::vector<std::string> args = {"Xvfb",         "-displayfd", fd,    "-screen", "0",
                                     "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // The server goes with the test program, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        // The server's chatter about missing extensions is of no interest here.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(fds[1]);
    ASSERT_GT(pid_, 0) << "fork failed";
    const std::string number = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        TearDown();
        FAIL() << "Xvfb did not start: install the Debian package xvfb";
    }
    display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
}

void XvfbEnvironment::TearDown() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

}  // namespace plughost::testing
