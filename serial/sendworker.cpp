#include "serial/sendworker.h"

#include "bytemodel/bytemodel.h"
#include "serialdevice/serialdevice.h"

namespace {

/// Small enough that a stop waits little for the chunk being copied, large
/// enough that a write rarely finds the device's buffer without room.
constexpr qint64 kSendChunk = qint64(1) << 16;

/// Writes one chunk until the device took all of it; false on a failure or a stop.
bool sendChunk(SendWorker::Job& job, SerialDevice& device, std::span<const std::uint8_t> chunk, SendOutcome& outcome)
{
    while (!chunk.empty()) {
        if (job.cancelled())
            return false;
        qint64 written = 0;
        outcome.error = device.write(chunk, written, &job.cancelFlag());
        if (outcome.error.failed())
            return false;
        outcome.sent += written;
        chunk = chunk.subspan(std::size_t(written));
    }
    return true;
}

void run(SendWorker::Job& job, const ByteModel& bytes, SerialDevice& device, SendOutcome& outcome)
{
    outcome.total = bytes.size();
    bytes.forEachChunk(
        0, outcome.total,
        [&](ByteOffset, std::span<const std::uint8_t> chunk) { return sendChunk(job, device, chunk, outcome); },
        kSendChunk);
}

}  // namespace

namespace SendWorker {

std::unique_ptr<Job> start(QObject* owner, const ByteModel& bytes, std::shared_ptr<SerialDevice> device,
                           Finished finished)
{
    return startTransfer<SendOutcome>(owner, std::move(finished),
                                      [&bytes, device = std::move(device)](Job& job, SendOutcome& outcome) {
                                          run(job, bytes, *device, outcome);
                                      });
}

}  // namespace SendWorker
