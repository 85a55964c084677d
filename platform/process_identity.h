#pragma once
// Which process wrote a file, told apart from a later process that got the same id: the process
// id together with the time the process started (clock ticks since boot, /proc/PID/stat).

#include <optional>
#include <string_view>

struct ProcessIdentity {
    long pid = 0;
    unsigned long long startTicks = 0;

    bool operator==(const ProcessIdentity&) const = default;
};

// This process.
ProcessIdentity CurrentProcess();

// The start time of a process from the text of its /proc/PID/stat; nullopt when the text is not
// such a line or the process has ended and only waits to be reaped (state Z or X).
std::optional<unsigned long long> LiveStartTicksFromStat(std::string_view stat);

// True while the process runs: the id is in use by a process that started at the recorded time.
// A process that cannot be looked up, or whose start time was not known (0), counts as running
// while its id answers signals, so that a file of a running process is never taken for an orphan.
bool ProcessIsRunning(const ProcessIdentity& process);
