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

const SystemError kPermissionDenied = fromErrno(EACCES, Phase::Open);

QString otherProcessLine(const QString& port)
{
    return QStringLiteral("\nPlease check if other process or program is using the same com port (%1)!").arg(port);
}

QString deniedPrefix(const QString& port)
{
    return QStringLiteral("Fail to access the %1 port. Error code: 5 (Access is denied).").arg(port);
}

/// A group other than root that this process may give a file: dialout when root, else its own group.
gid_t nonRootGroup()
{
    if (::geteuid() == 0) {
        const group* dialout = ::getgrnam("dialout");
        return dialout ? dialout->gr_gid : 20;
    }
    return ::getegid();
}

class DeviceFile {
public:
    DeviceFile() : path(dir.filePath(QStringLiteral("ttyUSB0"))) { QFile(path).open(QIODevice::WriteOnly); }
    bool give(gid_t gid, mode_t mode)
    {
        const QByteArray name = QFile::encodeName(path);
        return ::chown(name.constData(), uid_t(-1), gid) == 0 && ::chmod(name.constData(), mode) == 0;
    }

    QTemporaryDir dir;
    QString path;
};

}  // namespace

TEST(ErrorCodeText, TableTextsAreParenthesisedSentencesAndTheRestIsTheSystemText)
{
    int tableCodes = 0;
    for (quint32 code = 0; code <= 60; ++code) {
        const QString text = ErrorCodeText(code);
        ASSERT_FALSE(text.isEmpty()) << "code " << code;
        if (text != WindowsError::systemText(code)) {
            ++tableCodes;
            EXPECT_TRUE(text.startsWith(QLatin1Char(' ')) && text.trimmed().startsWith(QLatin1Char('('))
                        && text.endsWith(QStringLiteral(").")))
                << "code " << code;
        }
    }
    EXPECT_EQ(tableCodes, 34);
    EXPECT_EQ(ErrorCodeText(5), QStringLiteral(" (Access is denied)."));
    EXPECT_EQ(ErrorCodeText(39), QStringLiteral("  (The disk is full)."));
    // Codes outside the table give the system text unchanged.
    EXPECT_EQ(ErrorCodeText(31), QStringLiteral("Protocol error"));
    EXPECT_EQ(ErrorCodeText(27), QStringLiteral("Unknown error 27"));
    EXPECT_EQ(ErrorCodeText(1117), QStringLiteral("Input/output error"));
    EXPECT_EQ(ErrorCodeText(WindowsError::kUnmappedBase + EISDIR), QStringLiteral("Is a directory"));
}

TEST(WindowsError, ErrnoMapsToOneWindowsCodeAndKeepsTheErrno)
{
    const std::tuple<int, Phase, quint32> rows[] = {
        {ENOENT, Phase::Open, 2},       {EIO, Phase::Open, 2},
        {EIO, Phase::Transfer, 1117},   {EBUSY, Phase::Open, 5},
        {EWOULDBLOCK, Phase::Open, 5},  {EAGAIN, Phase::Transfer, WindowsError::kUnmappedBase + EAGAIN},
        {EBADF, Phase::Transfer, 6},    {EISDIR, Phase::Open, WindowsError::kUnmappedBase + EISDIR},
    };
    for (const auto& [errnoValue, phase, code] : rows) {
        const SystemError error = fromErrno(errnoValue, phase);
        EXPECT_EQ(error.code, code) << "errno " << errnoValue;
        EXPECT_EQ(error.errnoValue, errnoValue);
    }
    EXPECT_TRUE(fromErrno(EACCES, Phase::Open).permissionDenied());
    EXPECT_TRUE(fromErrno(EPERM, Phase::Open).permissionDenied());
    EXPECT_FALSE(fromErrno(EBUSY, Phase::Open).permissionDenied());
}

// Codes 2 and 5 are pinned by the port tests on a pseudo-terminal.
TEST(SerialMessages, OtherOpenFailuresGiveOnlyTheCodeLine)
{
    EXPECT_EQ(SerialMessages::accessFailure("COM3", fromErrno(ENOMEM, Phase::Open), "/dev/ttyS2"),
              QStringLiteral("Fail to access the COM3 port. Error code: 8 (Not enough storage is available to process "
                             "this command)."));
}

TEST(SerialMessages, PermissionDeniedNamesAGroupThatMayReadAndWriteTheDevice)
{
    DeviceFile device;
    const gid_t gid = nonRootGroup();
    if (gid == 0 || !device.give(gid, 0660))
        GTEST_SKIP() << "no group other than root to give the file";
    const group* entry = ::getgrgid(gid);
    const QString name = entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
    EXPECT_EQ(SerialMessages::accessFailure("COM4", kPermissionDenied, device.path),
              deniedPrefix("COM4")
                  + QStringLiteral("\nYou may not use %1: it belongs to the group %2. Ask to be added to that group "
                                   "(sudo usermod -aG %2 $USER); membership takes effect at your next login.")
                        .arg(device.path, name));
    // A group that may only read, or no write, would not help the user.
    for (mode_t mode : {0640, 0620, 0600}) {
        ASSERT_TRUE(device.give(gid, mode));
        EXPECT_EQ(SerialMessages::accessFailure("COM4", kPermissionDenied, device.path),
                  deniedPrefix("COM4") + otherProcessLine("COM4"))
            << "mode " << std::oct << mode;
    }
}

TEST(SerialMessages, PermissionDeniedNeverAsksToJoinRootOrTty)
{
    DeviceFile device;
    if (device.give(0, 0660)) {
        EXPECT_EQ(SerialMessages::accessFailure("COM4", kPermissionDenied, device.path),
                  deniedPrefix("COM4") + otherProcessLine("COM4"));
    }
    // A terminal is the tty group's with 0620: that group may not read it.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    const QString terminal = QString::fromLocal8Bit(::ptsname(master));
    EXPECT_EQ(SerialMessages::accessFailure("COM5", kPermissionDenied, terminal),
              deniedPrefix("COM5") + otherProcessLine("COM5"));
    EXPECT_EQ(SerialMessages::accessFailure("COM6", kPermissionDenied, device.dir.filePath("missing")),
              deniedPrefix("COM6") + otherProcessLine("COM6"));
    ::close(master);
}

TEST(SerialMessages, StepFailuresEndInCodeAndText)
{
    using SerialMessages::OpenStep;
    for (OpenStep step : {OpenStep::GetState, OpenStep::SetState, OpenStep::SetTimeouts, OpenStep::SetDtr}) {
        const QString message = SerialMessages::openStepFailure(step, "COM1", 87);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Fail to "))) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral(" of COM1. Error code: 87") + ErrorCodeText(87)))
            << message.toStdString();
    }
    EXPECT_EQ(SerialMessages::openStepFailure(OpenStep::SetRts, "COM1", 22),
              QStringLiteral("Fail to set the RTS line of COM1. Error Code: 22 (The device does not recognize the "
                             "command)."));
    EXPECT_EQ(SerialMessages::reportFailure(SerialMessages::ReportStep::Properties, "COM9", 31),
              QStringLiteral("Fail to get driver information of COM9. Error code: 31Protocol error"));
}

TEST(SerialMessages, DeviceLineNamesTheMappedPathItsDeviceAndDescription)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"/dev/pts/4", "/dev/pts/4", "", "Device: /dev/pts/4"},
        {"/dev/serial/by-id/usb-FTDI-if00-port0", "/dev/ttyUSB0", "FTDI FT232R USB UART",
         "Device: /dev/serial/by-id/usb-FTDI-if00-port0 (/dev/ttyUSB0), FTDI FT232R USB UART"},
    };
    for (const auto& [mapped, device, description, line] : cases)
        EXPECT_EQ(SerialMessages::deviceLine(mapped, device, description), QString::fromLatin1(line));
}
