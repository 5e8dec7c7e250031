#pragma once

#include <functional>
#include <memory>

#include "serialdevice/windowserror.h"
#include "serial/transferjob.h"

class ByteModel;
class QObject;
class SerialDevice;

/// How a receive ended: the bytes this run appended, and the error of the
/// read that failed (none when it was stopped); the failing byte is number
/// received + 1 of the run.
struct ReceiveOutcome {
    qint64 received = 0;
    SystemError error;
};

/// One receive on a WorkerJob: waits in the device's read up to its read
/// time-out, appends whatever arrived to a byte model, one append per read,
/// until the job is cancelled or a read fails. A read waiting when the job
/// is cancelled returns at once through SerialDevice::interruptRead(). Bytes
/// read are always kept.
namespace ReceiveWorker {

using Job = TransferJob;  // the model's own notices show the bytes
using Finished = std::function<void(bool stopped, const ReceiveOutcome& outcome)>;

std::unique_ptr<Job> start(QObject* owner, ByteModel& into, std::shared_ptr<SerialDevice> device, Finished finished);

}  // namespace ReceiveWorker
