#include "platform/signal_pipe.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

namespace {

TEST(SignalPipe, EndSignalsArriveOnThePipeInOrder) {
    SignalPipe pipe;
    ASSERT_GE(pipe.ReadDescriptor(), 0);
    EXPECT_EQ(pipe.TakeSignal(), 0) << "nothing has arrived";
    for (const int signal : SignalPipe::kSignals) {
        ASSERT_EQ(raise(signal), 0);
    }
    pollfd readable{pipe.ReadDescriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&readable, 1, 0), 1);
    EXPECT_EQ(pipe.TakeSignal(), SIGTERM);
    EXPECT_EQ(pipe.TakeSignal(), SIGHUP);
    EXPECT_EQ(pipe.TakeSignal(), SIGINT);
    EXPECT_EQ(pipe.TakeSignal(), 0);
}

}  // namespace
