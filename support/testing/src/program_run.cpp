#include "support/testing/program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

extern char** environ;

namespace support::testing {

namespace {

// The test's environment with `changes` applied.
std::vector<std::string> Environment(const ProgramRun& run) {
    std::vector<std::string> variables;
    auto changed = [&run](const std::string& entry) {
        for (const auto& [name, value] : run.environment)
            if (entry.compare(0, name.size() + 1, name + "=") == 0) return true;
        return !run.pathPrefix.empty() && entry.compare(0, 5, "PATH=") == 0;
    };
    for (char** e = environ; *e != nullptr; ++e)
        if (!changed(*e)) variables.emplace_back(*e);
    for (const auto& [name, value] : run.environment) variables.push_back(name + "=" + value);
    if (!run.pathPrefix.empty()) {
        const char* path = std::getenv("PATH");
        variables.push_back("PATH=" + run.pathPrefix + ":" + (path ? path : "/usr/bin:/bin"));
    }
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProgramResult RunProgram(const ProgramRun& run) {
    // Standard input, output and error go through files: no pipe can fill up and stall.
    TempFolder io;
    const std::string in = io / "in", out = io / "out", err = io / "err";
    WriteFile(in, run.input);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!run.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, run.folder.c_str());

    std::vector<std::string> argv{run.program};
    argv.insert(argv.end(), run.arguments.begin(), run.arguments.end());
    std::vector<std::string> env = Environment(run);
    std::vector<char*> argvPointers = Pointers(argv), envPointers = Pointers(env);

    ProgramResult result;
    pid_t pid = 0;
    // posix_spawnp looks a bare name up on the test's own PATH, not the child's.
    const int spawned = posix_spawnp(&pid, run.program.c_str(), &actions, nullptr,
                                     argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = "cannot start " + run.program + ": " + std::strerror(spawned);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

}  // namespace support::testing
