#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace batrun {

// The status of a line that names no program batrun can find, as the interpreter's ERRORLEVEL
// gives it.
inline constexpr int kProgramNotFound = 9009;

// Runs Windows batch files as the command interpreter would, for the commands the project's
// batch files use: @, echo (on, off, text), rem, labels, del, ren, pause, and any other line as
// a program found on the search path. A failing line is reported on `err` and the run goes on.
class BatchRunner {
  public:
    // `waitForKey` is what pause waits for; `searchPath` is where programs are looked for.
    BatchRunner(std::ostream& out, std::ostream& err, std::function<void()> waitForKey,
                std::string searchPath);

    // Runs the batch file (LF or CR LF line ends) with its parameters (%1 to %9), every line of
    // it. Returns the batch's exit status: 0 when every line succeeded, else the status of the
    // last line that failed, or 1 where that status is no exit status (kProgramNotFound) or the
    // file cannot be read.
    int RunFile(const std::string& path, const std::vector<std::string>& parameters);
    // Runs one line of a batch file; returns its status (0 for success).
    int RunLine(const std::string& line);

  private:
    int RunCommand(const std::string& command, const std::string& rest);
    int Echo(const std::string& rest);

    std::ostream& out_;
    std::ostream& err_;
    std::function<void()> waitForKey_;
    std::string searchPath_;
    std::vector<std::string> parameters_;
    bool echoOn_ = true;
};

}  // namespace batrun
