#include "serial/portreceiver.h"

#include "bytemodel/bytemodel.h"
#include "prompt/prompter.h"
#include "serialdevice/serialdevice.h"
#include "serial/serialmessages.h"

PortReceiver::PortReceiver(Context context)
    : m_context(std::move(context))
{
}

PortReceiver::~PortReceiver()
{
    stopAndWait();
}

void PortReceiver::start(ByteModel& into, bool replace)
{
    if (isReceiving())
        return;
    if (!m_hold.take(m_context.dialogParent())) {
        Prompter::error(m_context.dialogParent(), SerialMessages::noDataReceived());
        return;
    }
    if (replace)
        into.assign({});
    m_receiving = 1;
    m_job = ReceiveWorker::start(m_context.owner, into, m_context.port.connection().handle,
                                 [this](bool stopped, const ReceiveOutcome& outcome) { finished(stopped, outcome); });
}

void PortReceiver::stop()
{
    m_receiving = 0;
    if (!m_job)
        return;
    // The flag first: the woken read sees it and returns with nothing. The
    // port stays open until the worker has ended, so no read fails on it.
    m_job->cancel();
    if (const auto& device = m_context.port.connection().handle)
        device->interruptRead();
}

void PortReceiver::stopAndWait()
{
    stop();
    m_job.reset();
    m_hold.release();
}

void PortReceiver::finished(bool stopped, const ReceiveOutcome& outcome)
{
    const ReceiveOutcome result = outcome;  // the job and its outcome go next
    m_job.reset();
    m_hold.release();
    m_receiving = 0;
    if (!stopped && result.error.failed())
        Prompter::error(m_context.dialogParent(),
                        SerialMessages::receiveFailure(result.received + 1, result.error.code));
    m_context.ended();
}
