#include "ui/end_signal_notifier.h"

#include <QSocketNotifier>

#include "platform/signal_pipe.h"

EndSignalNotifier::EndSignalNotifier(SignalPipe& pipe, QObject* parent)
    : QObject(parent), pipe_(pipe) {
    // Without a pipe the signals keep their default action.
    if (pipe.ReadDescriptor() < 0) return;
    auto* notifier = new QSocketNotifier(pipe.ReadDescriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &EndSignalNotifier::TakeSignals);
}

void EndSignalNotifier::TakeSignals() {
    while (const int signal = pipe_.TakeSignal()) {
        if (received_ != 0) continue;
        received_ = signal;
        emit EndRequested(signal);
    }
}
