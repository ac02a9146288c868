#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Runs Windows batch files as the command interpreter would, for the commands the project's
// batch files use: @, echo (on, off, text), rem, labels, del, ren, pause, and any other line as
// a program found on the search path. A failing line is reported on `err` and the run goes on.
class BatchRunner {
  public:
    // `waitForKey` is what pause waits for; `searchPath` is where programs are looked for.
    BatchRunner(std::ostream& out, std::ostream& err, std::function<void()> waitForKey,
                std::string searchPath);

    // Runs the batch file (LF or CR LF line ends) with its parameters (%1 to %9). Returns the
    // status of the last command, or 1 when the file cannot be read.
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
