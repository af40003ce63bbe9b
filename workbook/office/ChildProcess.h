// A helper program (LibreOffice) run so that nothing of it outlives us.
//
// The program does not run as our direct child: a small forked keeper starts
// it in a process group of its own and watches a pipe whose other end only we
// hold. Whenever we end, however we end (kill -9 included), the pipe closes
// and the keeper kills the whole group, grandchildren that LibreOffice's
// launcher starts among them. When the object ends, or the time runs out, or
// the caller asks to stop, we kill the group ourselves.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trevalco::workbook {

class ChildProcess {
public:
    // Starts `program` with `arguments` (argv[1..]) and these extra
    // environment entries ("NAME=value", replacing ours); standard input is
    // empty, standard output and error go to `log`. Throws WorkbookError
    // when it cannot be started.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& log, const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the program to end: its exit status, or -1 when it was
    // killed because `limit` ran out, because `stop` said so (checked
    // every few milliseconds), or by a signal.
    int Wait(std::chrono::milliseconds limit, const std::function<bool()>& stop = {});
    bool TimedOut() const { return timedOut_; }
    bool Stopped() const { return stopped_; }

private:
    void KillGroup() noexcept;
    int Reap() noexcept;  // the wait status
    pid_t keeper_ = -1;
    int lifeline_ = -1;  // our end of the keeper's pipe
    bool running_ = false;
    bool timedOut_ = false;
    bool stopped_ = false;
};

}  // namespace trevalco::workbook
