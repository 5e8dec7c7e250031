#pragma once

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
};
