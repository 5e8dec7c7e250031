#include "serial/portsender.h"

#include "prompt/prompter.h"
#include "serialdevice/serialdevice.h"

PortSender::PortSender(Context context)
    : m_context(std::move(context))
{
}

PortSender::~PortSender()
{
    stopAndWait();
}

void PortSender::start(const ByteModel& bytes)
{
    if (isSending())
        return;
    if (!m_hold.take(m_context.dialogParent())) {
        Prompter::error(m_context.dialogParent(), SerialMessages::noDataSent());
        return;
    }
    m_sending = 1;
    m_job = SendWorker::start(m_context.owner, bytes, m_context.port.connection().handle,
                              [this](bool stopped, const SendOutcome& outcome) { finished(stopped, outcome); });
}

void PortSender::stop()
{
    m_sending = 0;
    if (!m_job)
        return;
    // The flag first: the worker checks it under the device's output lock,
    // so nothing is written after the discard. The port stays open until the
    // worker has ended, so no write of this send can fail on a closed port.
    m_job->cancel();
    if (const auto& device = m_context.port.connection().handle)
        device->discardOutput();
}

void PortSender::stopAndWait()
{
    stop();
    m_job.reset();
    m_hold.release();
}

void PortSender::finished(bool stopped, const SendOutcome& outcome)
{
    const SendOutcome result = outcome;  // the job and its outcome go next
    m_job.reset();
    m_hold.release();
    m_sending = 0;
    if (!stopped) {
        QWidget* parent = m_context.dialogParent();
        if (result.error.failed())
            Prompter::error(parent,
                            SerialMessages::sendFailure(result.sent + 1, result.error.code, m_context.window));
        else
            Prompter::info(parent, SerialMessages::sendSuccess(result.total, m_context.port.connection().settings.portName));
    }
    m_context.ended();
}
