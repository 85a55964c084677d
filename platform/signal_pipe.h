#pragma once
// Turns the signals that ask a program to end (SIGTERM, SIGHUP, SIGINT) into bytes on a pipe, so
// that the event loop can end the program in order: the handler only writes the signal's number
// to the pipe, which is all a signal handler may safely do. One instance at a time.

#include <csignal>

class SignalPipe {
public:
    // Installs the handlers; the previous ones come back when the pipe is destroyed. Signals
    // that arrive before anyone reads the pipe wait in it.
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // Readable (non-blocking) whenever a signal has arrived.
    int ReadDescriptor() const { return readEnd_; }
    // The number of the next signal that arrived, or 0 when none is waiting.
    int TakeSignal();

    static constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

private:
    int readEnd_ = -1;
    struct sigaction previous_[3] = {};
};
