#pragma once

#include <QString>

#include "serialdevice/windowserror.h"

/// The serial subsystem's messages, each ending in its error code and ErrorCodeText.
namespace SerialMessages {

/// Opening a port's device for a transfer failed.
QString accessFailure(const QString& port, const SystemError& error, const QString& devicePath);

/// The steps after opening, in the order a port is configured.
enum class OpenStep { GetState, SetState, SetTimeouts, SetDtr, SetRts };
QString openStepFailure(OpenStep step, const QString& port, quint32 code);

/// The steps of the driver information report that can fail.
enum class ReportStep { Access, Properties, Close };
QString reportFailure(ReportStep step, const QString& port, quint32 code);
/// The report's line naming the device a port opens.
QString deviceLine(const QString& mappedPath, const QString& devicePath, const QString& description);

/// A send ended: all count bytes went to port.
QString sendSuccess(qint64 count, const QString& port);
/// A send failed at the 1-based byteNumber; the error text follows the code
/// after every byte number in the Com Panel, after the first byte's only elsewhere.
enum class SendWindow { HexView, ComPanel };
QString sendFailure(qint64 byteNumber, quint32 code, SendWindow window);
/// Asked when a window closes while it sends.
QString stillSendingQuestion();
/// Shown after the message of a port that would not open for a send.
QString noDataSent();

/// A receive failed while reading the 1-based byteNumber of its run.
QString receiveFailure(qint64 byteNumber, quint32 code);
/// Asked when the Com Panel closes while it receives.
QString stillReceivingQuestion();
/// Shown after the message of a port that would not open for a receive.
QString noDataReceived();

QString maxComPortEmpty();
QString maxComPortInvalid();
QString maxComPortTooSmall();

}  // namespace SerialMessages
