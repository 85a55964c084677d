#pragma once
// Runs a piece of a test as the user nobody, in a child process: tests run as root in CI, and no
// permission stops root. A test run by an ordinary user runs it as that user.

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// True when body returned true in the child, which runs with umask 022.
inline bool RunAsNobody(const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        bool dropped = true;
        if (::geteuid() == 0) {
            const passwd* user = ::getpwnam("nobody");
            dropped = user != nullptr && ::setgroups(0, nullptr) == 0 &&
                      ::setgid(user->pw_gid) == 0 && ::setuid(user->pw_uid) == 0;
        }
        ::umask(022);
        ::_exit(dropped && body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
