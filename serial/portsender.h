#pragma once

#include <functional>
#include <memory>

#include "serial/portconnection.h"
#include "serial/sendworker.h"

class ByteModel;
class PortUsageTable;
class QObject;
class QWidget;

/// The sends of one hex view or comparison pane to its document's port:
/// Start Send opens the port and runs a SendWorker over the bytes; Stop Send
/// ends it silently, dropping what the device has not sent; at the end the
/// port is closed and the user told how the send went.
class PortSender {
public:
    struct Context {
        QObject* owner;  // outlives the sender; the end notice runs on its thread
        PortConnection& port;
        PortUsageTable& usage;
        std::function<QWidget*()> dialogParent;
        std::function<void()> ended;  // the command update pass
    };

    explicit PortSender(Context context);
    ~PortSender();
    PortSender(const PortSender&) = delete;
    PortSender& operator=(const PortSender&) = delete;

    /// The sending flag, and a stopped send whose worker has yet to end.
    bool isSending() const { return m_sending != 0 || m_job != nullptr; }
    void start(const ByteModel& bytes);
    void stop();
    /// Stops a send and waits for its worker, then closes the port (the window is closing).
    void stopAndWait();

private:
    void finished(bool stopped, const SendOutcome& outcome);

    Context m_context;
    int m_sending = 0;
    std::unique_ptr<SendWorker::Job> m_job;
};
