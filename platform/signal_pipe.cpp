#include "platform/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The handler's end of the pipe; a plain int, as the handler may touch nothing else.
volatile sig_atomic_t writeEnd = -1;

void WriteSignalNumber(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds signals enough to end the program; the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = savedErrno;
}

}  // namespace

SignalPipe::SignalPipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    struct sigaction action = {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on, so no code of the program sees EINTR for these signals.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        ::sigaction(kSignals[i], &action, &previous_[i]);
    }
}

SignalPipe::~SignalPipe() {
    if (readEnd_ < 0) return;
    for (int i = 0; i < 3; ++i) {
        ::sigaction(kSignals[i], &previous_[i], nullptr);
    }
    ::close(writeEnd);
    writeEnd = -1;
    ::close(readEnd_);
}

int SignalPipe::TakeSignal() {
    unsigned char number = 0;
    for (;;) {
        const ssize_t count = ::read(readEnd_, &number, 1);
        if (count == 1) return number;
        if (count < 0 && errno == EINTR) continue;
        return 0;
    }
}
