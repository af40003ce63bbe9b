#include <gtest/gtest.h>

#include <csignal>

#include "InterruptFlag.h"

namespace {

int otherHandlerCalls = 0;
extern "C" void CountCall(int) { ++otherHandlerCalls; }

}  // namespace

TEST(InterruptFlag, CtrlCAndTerminateBecomeAStopRequestWhileItLives) {
    std::signal(SIGINT, CountCall);
    {
        const trevalco::cli::InterruptFlag flag;
        EXPECT_FALSE(flag.Requested());
        std::raise(SIGINT);
        EXPECT_TRUE(flag.Requested());
        EXPECT_EQ(otherHandlerCalls, 0);
    }
    {
        const trevalco::cli::InterruptFlag flag;
        EXPECT_FALSE(flag.Requested());  // each command starts afresh
        std::raise(SIGTERM);
        EXPECT_TRUE(flag.Requested());
    }
    std::raise(SIGINT);  // the earlier handler is back
    EXPECT_EQ(otherHandlerCalls, 1);
    std::signal(SIGINT, SIG_DFL);
}
