// A helper program run in its own process group with a time limit. The whole
// group is ended when the time runs out and, in any case, when the object
// ends, so nothing it started is left running.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace trevalco::workbook {

class ChildProcess {
public:
    // Starts `program` with `arguments` (argv[1..]); standard input is empty,
    // standard output and error go to `log`. Throws WorkbookError when it
    // cannot be started.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& log);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the program to end: its exit status, or -1 when it was
    // killed because `limit` ran out (or by a signal).
    int Wait(std::chrono::milliseconds limit);
    bool TimedOut() const { return timedOut_; }

private:
    void KillGroup() noexcept;
    pid_t pid_ = -1;
    bool running_ = false;
    bool timedOut_ = false;
};

}  // namespace trevalco::workbook
