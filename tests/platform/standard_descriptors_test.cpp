#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {

// In a child started with standard input, output and error closed, as some launchers start
// programs: the next file opened lands above them, and they still fail as closed descriptors do.
TEST(ReserveStandardDescriptors, ClosedOnesAreTakenAndStillFail) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int fd = 0; fd <= 2; ++fd)
            close(fd);
        ReserveStandardDescriptors();
        char byte = 0;
        const bool closedAsBefore = read(0, &byte, 1) < 0 && errno == EBADF &&
                                    write(1, "x", 1) < 0 && errno == EBADF &&
                                    write(2, "x", 1) < 0 && errno == EBADF;
        _exit(closedAsBefore && open("/dev/null", O_RDONLY) > 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
