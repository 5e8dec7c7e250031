#pragma once

#include <utility>

#include "serial/portconnection.h"

class PortUsageTable;
class QWidget;

/// The users of one document's port: whichever transfer starts first opens
/// it, whichever ends last closes it, so a send and a receive of the Com
/// Panel share one open device. Used on the user-interface thread only.
class PortShare {
public:
    PortShare(PortConnection& port, PortUsageTable& usage);
    ~PortShare();
    PortShare(const PortShare&) = delete;
    PortShare& operator=(const PortShare&) = delete;

    /// Opens the port when nobody uses it (the user is told why an open
    /// failed); true when it is open and counted as used by the caller.
    bool acquire(QWidget* dialogParent);
    /// Closes the port when the last user releases it.
    void release();
    bool isOpen() const { return m_port.handle != nullptr; }
    PortConnection& connection() { return m_port; }

private:
    PortConnection& m_port;
    PortUsageTable& m_usage;
    int m_users = 0;
};

/// One transfer's use of a shared port, released at most once.
class PortHold {
public:
    explicit PortHold(PortShare& share)
        : m_share(share)
    {
    }
    bool take(QWidget* dialogParent) { return m_held = m_share.acquire(dialogParent); }
    void release()
    {
        if (std::exchange(m_held, false))
            m_share.release();
    }

private:
    PortShare& m_share;
    bool m_held = false;
};
