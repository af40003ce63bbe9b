// Turns Ctrl-C (SIGINT) and SIGTERM into a request to stop, for as long as the
// object lives, so that a long command can end cleanly: its temporary files
// removed, its helper processes ended, no half-written output left.
#pragma once

#include <csignal>

namespace trevalco::cli {

class InterruptFlag {
public:
    InterruptFlag();
    ~InterruptFlag();  // the previous handlers come back
    InterruptFlag(const InterruptFlag&) = delete;
    InterruptFlag& operator=(const InterruptFlag&) = delete;

    bool Requested() const;

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace trevalco::cli
