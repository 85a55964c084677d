#include "platform/process_identity.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::optional<std::string> ReadStat(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::optional<unsigned long long> LiveStartTicksFromStat(std::string_view stat) {
    // The command name in field 2 is in parentheses and may itself hold blanks and ")": the
    // fields after it start behind the last ")".
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = stat.substr(close + 1);
    // Fields 3 (state) .. 22 (start time).
    std::string_view fields[20];
    int count = 0;
    while (count < 20) {
        const std::size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos) break;
        rest.remove_prefix(begin);
        const std::size_t end = std::min(rest.find(' '), rest.size());
        fields[count++] = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    if (count < 20) return std::nullopt;
    if (fields[0] == "Z" || fields[0] == "X") return std::nullopt;
    const std::string_view start = fields[19];
    unsigned long long ticks = 0;
    if (start.empty()) return std::nullopt;
    for (const char c : start) {
        if (c < '0' || c > '9') return std::nullopt;
        ticks = ticks * 10 + static_cast<unsigned long long>(c - '0');
    }
    return ticks;
}

ProcessIdentity CurrentProcess() {
    const long pid = static_cast<long>(::getpid());
    const std::optional<std::string> stat = ReadStat(pid);
    return {pid, stat ? LiveStartTicksFromStat(*stat).value_or(0) : 0};
}

bool ProcessIsRunning(const ProcessIdentity& process) {
    if (process.pid <= 0) return false;
    // A start time of 0 was not known to its process: only the id can tell then.
    const std::optional<std::string> stat = ReadStat(process.pid);
    if (stat && process.startTicks != 0) return LiveStartTicksFromStat(*stat) == process.startTicks;
    return ::kill(static_cast<pid_t>(process.pid), 0) == 0 || errno == EPERM;
}
