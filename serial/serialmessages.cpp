#include "serial/serialmessages.h"

#include "serialdevice/devicegroup.h"
#include "serial/errorcodetext.h"

namespace {

struct StepText {
    const char* prefix;
    const char* codeLabel;
};

/// Indexed by OpenStep. The RTS message writes "Error Code" with a capital C.
constexpr StepText kOpenSteps[] = {
    {"Fail to get the com state of ", ". Error code: "},
    {"Fail to update the com state of ", ". Error code: "},
    {"Fail to change the time out values of ", ". Error code: "},
    {"Fail to set the DTR line of ", ". Error code: "},
    {"Fail to set the RTS line of ", ". Error Code: "},
};

/// Indexed by ReportStep.
constexpr StepText kReportSteps[] = {
    {"Fail to access port ", ". Error code: "},
    {"Fail to get driver information of ", ". Error code: "},
    {"Fail to close the handle of ", ". Error code: "},
};

QString withCode(const StepText& step, const QString& port, quint32 code)
{
    return QLatin1String(step.prefix) + port + QLatin1String(step.codeLabel) + QString::number(code)
           + ErrorCodeText(code);
}

QString accessPrefix(const QString& port, quint32 code)
{
    return QStringLiteral("Fail to access the ") + port + QStringLiteral(" port. Error code: ") + QString::number(code);
}

/// Access denied for want of the device's group: say which group, not that another program holds the port.
QString groupHint(const QString& devicePath, const QString& group)
{
    return QStringLiteral("\nYou may not use %1: it belongs to the group %2. Ask to be added to that group "
                          "(sudo usermod -aG %2 $USER); membership takes effect at your next login.")
        .arg(devicePath, group);
}

/// Every number from 4 on takes "th", as the program always wrote it (21th, 22th).
QString byteOrdinal(qint64 byteNumber)
{
    static const char* const kFirstOrdinals[] = {"first", "second", "third"};
    return byteNumber <= 3 ? QLatin1String(kFirstOrdinals[byteNumber - 1])
                           : QString::number(byteNumber) + QStringLiteral("th");
}

}  // namespace

namespace SerialMessages {

QString accessFailure(const QString& port, const SystemError& error, const QString& devicePath)
{
    if (error.code == WindowsError::kFileNotFound)
        return accessPrefix(port, error.code) + QStringLiteral(" (The system cannot find the port specified)\n")
               + QStringLiteral("Please check if your PC has the specified com port (") + port + QStringLiteral(")!");
    const QString first = accessPrefix(port, error.code) + ErrorCodeText(error.code);
    // Only a group that may read and write the device is worth joining: not root, not tty with its 0620.
    const QString group = error.permissionDenied() ? deviceAccessGroup(devicePath) : QString();
    if (!group.isEmpty())
        return first + groupHint(devicePath, group);
    if (error.code == WindowsError::kAccessDenied)
        return first + QStringLiteral("\nPlease check if other process or program is using the same com port (") + port
               + QStringLiteral(")!");
    return first;
}

QString openStepFailure(OpenStep step, const QString& port, quint32 code)
{
    return withCode(kOpenSteps[int(step)], port, code);
}

QString reportFailure(ReportStep step, const QString& port, quint32 code)
{
    return withCode(kReportSteps[int(step)], port, code);
}

QString deviceLine(const QString& mappedPath, const QString& devicePath, const QString& description)
{
    QString line = QStringLiteral("Device: ") + mappedPath;
    if (devicePath != mappedPath)
        line += QStringLiteral(" (") + devicePath + QLatin1Char(')');
    if (!description.isEmpty())
        line += QStringLiteral(", ") + description;
    return line;
}

QString sendSuccess(qint64 count, const QString& port)
{
    return QStringLiteral("You have successfully sent ") + QString::number(count) + QStringLiteral(" bytes to the port ")
           + port;
}

QString sendFailure(qint64 byteNumber, quint32 code, SendWindow window)
{
    const bool withText = byteNumber == 1 || window == SendWindow::ComPanel;
    return QStringLiteral("Fail to send the ") + byteOrdinal(byteNumber)
           + QStringLiteral(" byte to the com port. Error code: ") + QString::number(code)
           + (withText ? ErrorCodeText(code) : QString());
}

QString receiveFailure(qint64 byteNumber, quint32 code)
{
    return QStringLiteral("Fail to receive the ") + byteOrdinal(byteNumber)
           + QStringLiteral(" byte from the com port. Error code: ") + QString::number(code) + ErrorCodeText(code);
}

QString stillSendingQuestion()
{
    return QStringLiteral("You are still in the sending data process, do you want to stop sending data and close the "
                          "window?");
}

QString noDataSent()
{
    return QStringLiteral("No data is sent through the Com port. Please try again later!");
}

QString stillReceivingQuestion()
{
    return QStringLiteral("You are still in the receiving data process, do you want to stop receiving data and close "
                          "the window?");
}

QString noDataReceived()
{
    return QStringLiteral("No data is received. Please try again later!");
}

QString maxComPortEmpty()
{
    return QStringLiteral("Please fill the Max Com Port field!");
}

QString maxComPortInvalid()
{
    return QStringLiteral("Max Com Port field contains invalid characters!");
}

QString maxComPortTooSmall()
{
    return QStringLiteral("The value in the Max Com Port field can not be the smaller than 4!");
}

}  // namespace SerialMessages
