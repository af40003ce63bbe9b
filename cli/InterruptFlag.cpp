#include "InterruptFlag.h"

namespace trevalco::cli {

namespace {

// A signal handler can only leave a mark in an object of static storage.
volatile std::sig_atomic_t requested = 0;

extern "C" void MarkRequested(int) { requested = 1; }

}  // namespace

InterruptFlag::InterruptFlag() {
    requested = 0;
    struct sigaction action {};
    action.sa_handler = MarkRequested;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

InterruptFlag::~InterruptFlag() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

bool InterruptFlag::Requested() const { return requested != 0; }

}  // namespace trevalco::cli
