#pragma once

#include <functional>
#include <memory>

#include "serial/portshare.h"
#include "serial/receiveworker.h"

class ByteModel;
class QObject;
class QWidget;

/// Start Receive and Stop Receive of the Com Panel: Start Receive opens the
/// port (or shares it with a running send) and runs a ReceiveWorker that
/// appends to the receive buffer; Stop Receive ends it silently; a failed
/// read is told with the number of the byte being read. The bytes received
/// stay in every case, and the port closes when its last user is done.
class PortReceiver {
public:
    struct Context {
        QObject* owner;  // outlives the receiver; the end notice runs on its thread
        PortShare& port;
        std::function<QWidget*()> dialogParent;
        std::function<void()> ended;  // the command update pass
    };

    explicit PortReceiver(Context context);
    ~PortReceiver();
    PortReceiver(const PortReceiver&) = delete;
    PortReceiver& operator=(const PortReceiver&) = delete;

    /// The receiving flag, and a stopped receive whose worker has yet to end.
    bool isReceiving() const { return m_receiving != 0 || m_job != nullptr; }
    /// Receives into into; replace empties it first (Replace mode), else the
    /// new bytes follow the earlier ones (Append mode).
    void start(ByteModel& into, bool replace);
    /// Ends the receive without a message; the port closes unless a send uses it.
    void stop();
    /// Stops a receive and waits for its worker, then releases the port (the window is closing).
    void stopAndWait();

private:
    void finished(bool stopped, const ReceiveOutcome& outcome);

    Context m_context;
    int m_receiving = 0;
    PortHold m_hold{m_context.port};
    std::unique_ptr<ReceiveWorker::Job> m_job;
};
