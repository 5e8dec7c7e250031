#pragma once

#include <functional>
#include <memory>

#include "serialdevice/windowserror.h"
#include "serial/transferjob.h"

class ByteModel;
class QObject;
class SerialDevice;

/// How a send ended: how many bytes there were and went, and the error of
/// the first byte that did not go (none when all went or the send stopped).
struct SendOutcome {
    qint64 total = 0;
    qint64 sent = 0;
    SystemError error;
};

/// One send on a WorkerJob: the bytes of a model in buffer order, read
/// through its chunk API, each chunk handed to the device as fast as it
/// accepts it. The job's cancel flag stops it before the next write; a
/// writer waiting for room sees it once the device's output is discarded.
/// Anything that sends (a hex view, a comparison pane, the Com Panel) gives
/// its bytes and the open device and shows the outcome in finished.
namespace SendWorker {

using Job = TransferJob;
using Finished = std::function<void(bool stopped, const SendOutcome& outcome)>;

std::unique_ptr<Job> start(QObject* owner, const ByteModel& bytes, std::shared_ptr<SerialDevice> device,
                           Finished finished);

}  // namespace SendWorker
