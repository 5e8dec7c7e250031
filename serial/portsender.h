#pragma once

#include <functional>
#include <memory>

#include "serial/portshare.h"
#include "serial/sendworker.h"
#include "serial/serialmessages.h"

class ByteModel;
class QObject;
class QWidget;

/// The sends of one hex view, comparison pane or Com Panel to its
/// document's port: Start Send opens the port (or shares it with a running
/// receive) and runs a SendWorker over the bytes; Stop Send ends it
/// silently, dropping what the device has not sent, and never closes the
/// port under the worker; at the end the worker's hold on the port is
/// released and the user told how the send went.
class PortSender {
public:
    struct Context {
        QObject* owner;  // outlives the sender; the end notice runs on its thread
        PortShare& port;
        std::function<QWidget*()> dialogParent;
        std::function<void()> ended;  // the command update pass
        SerialMessages::SendWindow window = SerialMessages::SendWindow::HexView;  // which failure texts
    };

    explicit PortSender(Context context);
    ~PortSender();
    PortSender(const PortSender&) = delete;
    PortSender& operator=(const PortSender&) = delete;

    /// The sending flag, and a stopped send whose worker has yet to end.
    bool isSending() const { return m_sending != 0 || m_job != nullptr; }
    void start(const ByteModel& bytes);
    void stop();
    /// Stops a send and waits for its worker, then releases the port (the window is closing).
    void stopAndWait();

private:
    void finished(bool stopped, const SendOutcome& outcome);

    Context m_context;
    int m_sending = 0;
    PortHold m_hold{m_context.port};
    std::unique_ptr<SendWorker::Job> m_job;
};
