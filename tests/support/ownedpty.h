#pragma once

#include <QByteArray>
#include <QString>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <utility>

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
    ~OwnedPty() { closeMaster(); }
    void closeMaster()
    {
        if (master >= 0)
            ::close(std::exchange(master, -1));
    }
    /// What was written to the slave, as it arrives at the master: up to
    /// count bytes, waiting up to a second for each piece; a negative count
    /// takes only what is there already.
    QByteArray readMaster(qsizetype count) const
    {
        QByteArray received;
        pollfd ready{master, POLLIN, 0};
        char chunk[4096];
        ssize_t got = 0;
        while ((count < 0 || received.size() < count) && ::poll(&ready, 1, count < 0 ? 0 : 1000) == 1
               && (got = ::read(master, chunk, sizeof chunk)) > 0)
            received.append(chunk, got);
        return received;
    }
    /// Writes bytes to the master, as a device would send them to the port.
    bool writeMaster(const QByteArray& bytes) const
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t wrote = ::write(master, bytes.constData() + done, std::size_t(bytes.size() - done));
            if (wrote <= 0)
                return false;
            done += wrote;
        }
        return true;
    }
    OwnedPty(const OwnedPty&) = delete;
    OwnedPty& operator=(const OwnedPty&) = delete;
};
