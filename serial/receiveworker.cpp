#include "serial/receiveworker.h"

#include <cerrno>
#include <vector>

#include "bytemodel/bytemodel.h"
#include "serialdevice/serialdevice.h"

namespace {

/// More than a pty or a UART's driver hands over per read, so a burst needs few appends.
constexpr std::size_t kReadChunk = std::size_t(1) << 16;

void run(ReceiveWorker::Job& job, ByteModel& into, SerialDevice& device, ReceiveOutcome& outcome)
{
    std::vector<quint8> buffer(kReadChunk);
    while (!job.cancelled()) {
        qint64 got = 0;
        outcome.error = device.read(buffer, got, &job.cancelFlag());
        if (outcome.error.failed())
            return;
        if (got == 0)
            continue;  // the read time-out: no byte, no failure
        if (!into.append(std::span<const quint8>(buffer.data(), std::size_t(got)))) {
            outcome.error = WindowsError::fromErrno(ENOMEM, WindowsError::Phase::Transfer);
            return;
        }
        outcome.received += got;
    }
}

}  // namespace

namespace ReceiveWorker {

std::unique_ptr<Job> start(QObject* owner, ByteModel& into, std::shared_ptr<SerialDevice> device, Finished finished)
{
    return startTransfer<ReceiveOutcome>(owner, std::move(finished),
                                         [&into, device = std::move(device)](Job& job, ReceiveOutcome& outcome) {
                                             run(job, into, *device, outcome);
                                         });
}

}  // namespace ReceiveWorker
