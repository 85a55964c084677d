#pragma once
// Delivers the end signals caught by a SignalPipe (SIGTERM, SIGHUP, SIGINT) in the event loop.

#include <QObject>

class SignalPipe;

class EndSignalNotifier : public QObject {
    Q_OBJECT

public:
    explicit EndSignalNotifier(SignalPipe& pipe, QObject* parent = nullptr);

    // The first signal that arrived, 0 while none has.
    int Received() const { return received_; }

signals:
    // Emitted once, for the first signal; later ones change nothing.
    void EndRequested(int signal);

private:
    void TakeSignals();

    SignalPipe& pipe_;
    int received_ = 0;
};
