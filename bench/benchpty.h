#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <span>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

/// The pseudo-terminal of a serial benchmark: the master it drives, and the
/// path of the slave, which the program opens as its port.
struct BenchPty {
    int master = -1;
    char name[256] = {};

    BenchPty()
    {
        int slave = -1;
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            ::close(slave);
    }
    bool isOpen() const { return master >= 0; }

    /// A stopped stream must not block its writer, and a child (cat) must hold
    /// no copy of the master, or it never sees the hang-up when the master closes.
    void makeNonBlocking() const
    {
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        ::fcntl(master, F_SETFD, FD_CLOEXEC);
    }

    /// Writes into the non-blocking master as fast as the pty takes it, until
    /// all went or keepGoing turns false.
    void write(std::span<const std::uint8_t> bytes, const std::atomic<bool>& keepGoing) const
    {
        pollfd ready{master, POLLOUT, 0};
        for (std::size_t done = 0; done < bytes.size() && keepGoing;) {
            if (::poll(&ready, 1, 10) != 1)
                continue;
            const ssize_t wrote = ::write(master, bytes.data() + done, bytes.size() - done);
            if (wrote < 0 && errno != EAGAIN)
                return;
            done += std::size_t(std::max<ssize_t>(wrote, 0));
        }
    }
};

/// The bytes a receive benchmark sends: no period a lost or repeated block would hide in.
inline std::uint8_t benchPatternAt(qint64 i)
{
    return std::uint8_t(i * 131 + i / 4093);
}
