#pragma once

#include <QString>

#include <pty.h>
#include <unistd.h>

/// A pseudo-terminal the test holds the master of: a character device of
/// the test's own, for tests that must aim a write at one (never at a system
/// device such as /dev/null, which a regression would replace as root).
struct OwnedPty {
    int master = -1;
    QString path;
    OwnedPty()
    {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            ::close(slave);
            path = QString::fromLocal8Bit(name);
        }
    }
    ~OwnedPty() { ::close(master); }
    OwnedPty(const OwnedPty&) = delete;
    OwnedPty& operator=(const OwnedPty&) = delete;
};
