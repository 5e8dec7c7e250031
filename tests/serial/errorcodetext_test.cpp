#include "serial/errorcodetext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "serialdevice/windowserror.h"
#include "serial/serialmessages.h"
#include "support/qstringprint.h"

namespace {

using WindowsError::fromErrno;
using WindowsError::Phase;

/// The permission-denied message of a port, and what it says when it names no group.
QString denied(const char* port, const QString& device)
{
    return SerialMessages::accessFailure(port, fromErrno(EACCES, Phase::Open), device);
}

QString deniedWithoutGroup(const char* port)
{
    return QStringLiteral("Fail to access the %1 port. Error code: 5 (Access is denied).\nPlease check if other "
                          "process or program is using the same com port (%1)!").arg(QLatin1String(port));
}

/// Gives the file the group and mode; false when the process may not.
bool give(const QString& path, gid_t gid, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), uid_t(-1), gid) == 0 && ::chmod(name.constData(), mode) == 0;
}

}  // namespace

// Table texts are parenthesised sentences; codes outside the table give the system text unchanged.
TEST(ErrorCodeText, TableTextsAreParenthesisedSentencesAndTheRestIsTheSystemText)
{
    for (quint32 code = 0; code <= 60; ++code) {
        const QString text = ErrorCodeText(code);
        ASSERT_FALSE(text.isEmpty()) << "code " << code;
        if (text == WindowsError::systemText(code))
            continue;
        EXPECT_TRUE(text.startsWith(' ') && text.trimmed().startsWith('(') && text.endsWith(").")) << code;
    }
    EXPECT_EQ(ErrorCodeText(39), QStringLiteral("  (The disk is full)."));
    EXPECT_EQ(ErrorCodeText(1117), QStringLiteral("Input/output error"));
    EXPECT_EQ(ErrorCodeText(WindowsError::kUnmappedBase + EISDIR), QStringLiteral("Is a directory"));
}

TEST(WindowsError, ErrnoMapsToOneWindowsCodeAndKeepsTheErrno)
{
    const std::tuple<int, Phase, quint32> rows[] = {
        {ENOENT, Phase::Open, 2},      {EIO, Phase::Open, 2},        {EIO, Phase::Transfer, 1117},
        {EBUSY, Phase::Open, 5},       {EWOULDBLOCK, Phase::Open, 5}, {EAGAIN, Phase::Transfer, WindowsError::kUnmappedBase + EAGAIN},
        {EBADF, Phase::Transfer, 6},   {EISDIR, Phase::Open, WindowsError::kUnmappedBase + EISDIR},
    };
    for (const auto& [errnoValue, phase, code] : rows) {
        EXPECT_EQ(fromErrno(errnoValue, phase).code, code) << "errno " << errnoValue;
        EXPECT_EQ(fromErrno(errnoValue, phase).errnoValue, errnoValue);
    }
    EXPECT_TRUE(fromErrno(EACCES, Phase::Open).permissionDenied() && fromErrno(EPERM, Phase::Open).permissionDenied());
    EXPECT_FALSE(fromErrno(EBUSY, Phase::Open).permissionDenied());
}

// Denied access names a group that may read and write the device, never root's nor the terminals' tty
// group (0620: it may not read), and none when the group may only read or only write.
TEST(SerialMessages, PermissionDeniedNamesOnlyAGroupThatMayReadAndWriteTheDevice)
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile(device).open(QIODevice::WriteOnly);
    const group* entry = ::geteuid() == 0 ? ::getgrnam("dialout") : ::getgrgid(::getegid());
    const gid_t gid = entry ? entry->gr_gid : 0;
    const QString name = entry ? QString::fromLocal8Bit(entry->gr_name) : QString();
    if (gid != 0 && give(device, gid, 0660)) {
        EXPECT_EQ(denied("COM4", device),
                  deniedWithoutGroup("COM4").section('\n', 0, 0)
                      + QStringLiteral("\nYou may not use %1: it belongs to the group %2. Ask to be added to that group "
                                       "(sudo usermod -aG %2 $USER); membership takes effect at your next login.")
                            .arg(device, name));
        for (mode_t mode : {0640, 0620, 0600})
            EXPECT_TRUE(give(device, gid, mode) && denied("COM4", device) == deniedWithoutGroup("COM4"))
                << std::oct << mode;
    }
    EXPECT_TRUE(!give(device, 0, 0660) || denied("COM4", device) == deniedWithoutGroup("COM4"));
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0);
    EXPECT_EQ(denied("COM5", QString::fromLocal8Bit(::ptsname(master))), deniedWithoutGroup("COM5"));
    EXPECT_EQ(denied("COM6", dir.filePath("missing")), deniedWithoutGroup("COM6"));
    ::close(master);
}

// Codes 2 and 5 are pinned by the port tests on a pseudo-terminal.
TEST(SerialMessages, FailuresEndInCodeAndText)
{
    EXPECT_EQ(SerialMessages::accessFailure("COM3", fromErrno(ENOMEM, Phase::Open), "/dev/ttyS2"),
              QStringLiteral("Fail to access the COM3 port. Error code: 8 (Not enough storage is available to process "
                             "this command)."));
    using SerialMessages::OpenStep;
    for (OpenStep step : {OpenStep::GetState, OpenStep::SetState, OpenStep::SetTimeouts, OpenStep::SetDtr}) {
        const QString message = SerialMessages::openStepFailure(step, "COM1", 87);
        EXPECT_TRUE(message.startsWith("Fail to ") && message.endsWith(" of COM1. Error code: 87" + ErrorCodeText(87)))
            << message.toStdString();
    }
    EXPECT_EQ(SerialMessages::openStepFailure(OpenStep::SetRts, "COM1", 22),
              QStringLiteral("Fail to set the RTS line of COM1. Error Code: 22 (The device does not recognize the "
                             "command)."));
    EXPECT_EQ(SerialMessages::reportFailure(SerialMessages::ReportStep::Properties, "COM9", 31),
              QStringLiteral("Fail to get driver information of COM9. Error code: 31Protocol error"));
    EXPECT_EQ(SerialMessages::deviceLine("/dev/serial/by-id/usb-FTDI-if00-port0", "/dev/ttyUSB0", "FTDI FT232R USB UART"),
              QStringLiteral("Device: /dev/serial/by-id/usb-FTDI-if00-port0 (/dev/ttyUSB0), FTDI FT232R USB UART"));
}
