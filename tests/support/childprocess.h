#pragma once

#include <QByteArray>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

/// How a forked child ended and what it reported.
struct ChildOutcome {
    bool exitedNormally = false;  // false when a signal (a crash, the watchdog) ended it
    QByteArray report;
};

/// Runs body in a forked child, for what must not touch the test program
/// itself (resource limits, mounts, a crash); the child reports through a
/// pipe. A child still running after the given seconds is ended by SIGALRM.
inline ChildOutcome runInChild(const std::function<QByteArray()>& body, unsigned seconds = 60)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(seconds);
        const QByteArray report = body();
        ::_exit(::write(fds[1], report.constData(), std::size_t(report.size())) == report.size() ? 0 : 1);
    }
    ::close(fds[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (ssize_t n = 0; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        outcome.report.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    outcome.exitedNormally = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return outcome;
}
