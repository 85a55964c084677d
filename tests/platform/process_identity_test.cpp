#include "platform/process_identity.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

TEST(LiveStartTicksFromStat, ReadsField22AfterTheCommandName) {
    const std::string tail = " 1 1 0 34816 -1 4194560 100 0 0 0 5 2 0 0 20 0 1 0 ";
    struct Case {
        const char* name;
        std::string stat;
        std::optional<unsigned long long> ticks;
    };
    const Case cases[] = {
        {"plain", "1234 (tessarin) S" + tail + "987654 1000 200\n", 987654ULL},
        {"name with blanks and parentheses", "77 (a) b (c)) R" + tail + "42 0", 42ULL},
        {"ended, waiting to be reaped", "1234 (tessarin) Z" + tail + "987654 0", std::nullopt},
        {"dead", "1234 (tessarin) X" + tail + "987654 0", std::nullopt},
        {"cut short before the start time", "1234 (tessarin) S" + tail, std::nullopt},
        {"start time not a number", "1234 (tessarin) S" + tail + "9x7 0", std::nullopt},
        {"no command name", "1234 tessarin S" + tail + "987654 0", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LiveStartTicksFromStat(c.stat), c.ticks) << c.name;
    }
}

std::string StatOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ProcessIsRunning, OnlyTheProcessThatStartedAtTheRecordedTimeUntilItIsKilled) {
    const ProcessIdentity self = CurrentProcess();
    EXPECT_TRUE(ProcessIsRunning(self));
    EXPECT_FALSE(ProcessIsRunning({self.pid, self.startTicks + 1})) << "a later process, same id";
    EXPECT_FALSE(ProcessIsRunning({0, self.startTicks}));
    EXPECT_TRUE(ProcessIsRunning({self.pid, 0})) << "start time unknown";

    const pid_t child = fork();
    if (child == 0) {
        pause();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    const ProcessIdentity identity{child, LiveStartTicksFromStat(StatOf(child)).value_or(0)};
    EXPECT_TRUE(ProcessIsRunning(identity));

    kill(child, SIGKILL);
    while (LiveStartTicksFromStat(StatOf(child)))
        usleep(1000);
    EXPECT_FALSE(ProcessIsRunning(identity)) << "not yet reaped";
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_FALSE(ProcessIsRunning(identity)) << "reaped";
}

}  // namespace
