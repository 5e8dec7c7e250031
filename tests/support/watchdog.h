#pragma once

#include <unistd.h>

/// Ends the test program (SIGALRM's default action) should a call that must
/// return at once block instead, so that a regression fails rather than hangs.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds = 30) { ::alarm(seconds); }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};
