#include "platform/signal_pipe.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

namespace {

void Untouched(int) {}

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

TEST(SignalPipe, PreviousHandlersComeBack) {
    struct sigaction own = {};
    own.sa_handler = Untouched;
    struct sigaction saved[3];
    for (int i = 0; i < 3; ++i) {
        sigaction(SignalPipe::kSignals[i], &own, &saved[i]);
    }
    { SignalPipe pipe; }
    for (int i = 0; i < 3; ++i) {
        struct sigaction now = {};
        sigaction(SignalPipe::kSignals[i], &saved[i], &now);
        EXPECT_EQ(now.sa_handler, Untouched) << SignalPipe::kSignals[i];
    }
}

}  // namespace
