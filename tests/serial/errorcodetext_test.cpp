#include "serial/errorcodetext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <grp.h>
#include <unistd.h>

#include "serialdevice/windowserror.h"
#include "serial/serialmessages.h"
#include "support/qstringprint.h"

namespace {

struct CodeText {
    quint32 code;
    const char* text;
};

const CodeText kTable[] = {
    {0, " (The operation completed successfully)."},
    {1, " (Incorrect function)."},
    {2, " (The system cannot find the file specified)."},
    {3, " (The system cannot find the path specified)."},
    {4, " (The system cannot open the file because there are too many open files)."},
    {5, " (Access is denied)."},
    {6, " (The handle is invalid)."},
    {7, " (The storage control blocks were destroyed)."},
    {8, " (Not enough storage is available to process this command)."},
    {9, " (The storage control block address is invalid)."},
    {10, " (The environment is incorrect)."},
    {11, " (An attempt was made to load a program with an incorrect format)."},
    {12, " (The access code is invalid)."},
    {13, " (The data is invalid)."},
    {14, " (Not enough storage is available to complete this operation)."},
    {15, " (The system cannot find the drive specified)."},
    {16, " (The directory cannot be removed)."},
    {17, " (The system cannot move the file to a different disk drive)."},
    {18, " (There are no more files)."},
    {19, " (The media is write protected)."},
    {20, " (The system cannot find the device specified)."},
    {21, " (The device is not ready)."},
    {22, " (The device does not recognize the command)."},
    {23, " (Data error of cyclic redundancy check)."},
    {24, " (The program issued a command but the command length is incorrect)."},
    {25, " (The drive cannot locate a specific area or track on the disk)."},
    {26, " (The specified disk or diskette cannot be accessed)."},
    {29, " (The system cannot write to the specified device)."},
    {30, " (The system cannot read from the specified device)."},
    {32, " (The process cannot access the file because it is being used by another process)."},
    {33, " (The process cannot access the file because another process has locked a portion of the file)."},
    {38, " (Reached the end of the file)."},
    {39, "  (The disk is full)."},
    {54, " (The network is busy)."},
};

QString currentGroupName()
{
    const group* entry = ::getgrgid(::getegid());
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(::getegid());
}

}  // namespace

TEST(ErrorCodeText, EveryCodeOfTheTableHasItsFixedText)
{
    for (const CodeText& row : kTable)
        EXPECT_EQ(ErrorCodeText(row.code), QString::fromLatin1(row.text)) << "code " << row.code;
    EXPECT_TRUE(ErrorCodeText(39).startsWith(QStringLiteral("  (")));
}

TEST(ErrorCodeText, OtherCodesGiveTheSystemTextUnchanged)
{
    const CodeText cases[] = {
        {31, "Protocol error"},
        {87, "Invalid argument"},
        {112, "No space left on device"},
        {995, "Operation canceled"},
        {1117, "Input/output error"},
        {WindowsError::kUnmappedBase + EISDIR, "Is a directory"},
        {27, "Unknown error 27"},
        {34, "Unknown error 34"},
    };
    for (const CodeText& c : cases)
        EXPECT_EQ(ErrorCodeText(c.code), QString::fromLatin1(c.text)) << "code " << c.code;
}

TEST(WindowsError, ErrnoMapsToOneWindowsCode)
{
    using WindowsError::Phase;
    struct Row {
        int errnoValue;
        Phase phase;
        quint32 code;
    };
    const Row rows[] = {
        {ENOENT, Phase::Open, 2},      {ENODEV, Phase::Open, 2},       {ENXIO, Phase::Open, 2},
        {EIO, Phase::Open, 2},         {EIO, Phase::Transfer, 1117},   {ENOTTY, Phase::Transfer, 1},
        {EACCES, Phase::Open, 5},      {EPERM, Phase::Open, 5},        {EBUSY, Phase::Open, 5},
        {EWOULDBLOCK, Phase::Open, 5}, {EBADF, Phase::Transfer, 6},    {ENOMEM, Phase::Open, 8},
        {EINVAL, Phase::Transfer, 87}, {ENOSPC, Phase::Transfer, 112}, {EMFILE, Phase::Open, 4},
        {EPROTO, Phase::Transfer, 31}, {ECANCELED, Phase::Transfer, 995},
        {EISDIR, Phase::Open, WindowsError::kUnmappedBase + EISDIR},
        {EAGAIN, Phase::Transfer, WindowsError::kUnmappedBase + EAGAIN},
    };
    for (const Row& row : rows) {
        const SystemError error = WindowsError::fromErrno(row.errnoValue, row.phase);
        EXPECT_EQ(error.code, row.code) << "errno " << row.errnoValue;
        EXPECT_EQ(error.errnoValue, row.errnoValue);
    }
    EXPECT_TRUE(WindowsError::fromErrno(EACCES, Phase::Open).permissionDenied());
    EXPECT_TRUE(WindowsError::fromErrno(EPERM, Phase::Open).permissionDenied());
    EXPECT_FALSE(WindowsError::fromErrno(EBUSY, Phase::Open).permissionDenied());
}

TEST(SerialMessages, OpenFailuresByCode)
{
    using WindowsError::fromErrno;
    using WindowsError::Phase;
    EXPECT_EQ(SerialMessages::accessFailure("COM7", fromErrno(ENOENT, Phase::Open), "/dev/ttyS6"),
              QStringLiteral("Fail to access the COM7 port. Error code: 2 (The system cannot find the port specified)\n"
                             "Please check if your PC has the specified com port (COM7)!"));
    EXPECT_EQ(SerialMessages::accessFailure("COM2", fromErrno(EBUSY, Phase::Open), "/dev/ttyS1"),
              QStringLiteral("Fail to access the COM2 port. Error code: 5 (Access is denied).\n"
                             "Please check if other process or program is using the same com port (COM2)!"));
    EXPECT_EQ(SerialMessages::accessFailure("COM3", fromErrno(ENOMEM, Phase::Open), "/dev/ttyS2"),
              QStringLiteral("Fail to access the COM3 port. Error code: 8 (Not enough storage is available to process "
                             "this command)."));
}

TEST(SerialMessages, PermissionDeniedNamesTheDevicesGroupInsteadOfAnotherProgram)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB0");
    QFile(device).open(QIODevice::WriteOnly);
    const QString message =
        SerialMessages::accessFailure("COM4", WindowsError::fromErrno(EACCES, WindowsError::Phase::Open), device);
    const QString group = currentGroupName();
    EXPECT_EQ(message, QStringLiteral("Fail to access the COM4 port. Error code: 5 (Access is denied).\n"
                                      "You may not use %1: it belongs to the group %2. Ask to be added to that group "
                                      "(sudo usermod -aG %2 $USER); membership takes effect at your next login.")
                           .arg(device, group));
}

TEST(SerialMessages, StepFailuresEndInCodeAndText)
{
    using SerialMessages::OpenStep;
    using SerialMessages::ReportStep;
    const std::pair<QString, const char*> cases[] = {
        {SerialMessages::openStepFailure(OpenStep::GetState, "COM1", 1),
         "Fail to get the com state of COM1. Error code: 1 (Incorrect function)."},
        {SerialMessages::openStepFailure(OpenStep::SetState, "COM1", 87),
         "Fail to update the com state of COM1. Error code: 87Invalid argument"},
        {SerialMessages::openStepFailure(OpenStep::SetTimeouts, "COM1", 6),
         "Fail to change the time out values of COM1. Error code: 6 (The handle is invalid)."},
        {SerialMessages::openStepFailure(OpenStep::SetDtr, "COM1", 31),
         "Fail to set the DTR line of COM1. Error code: 31Protocol error"},
        {SerialMessages::openStepFailure(OpenStep::SetRts, "COM1", 22),
         "Fail to set the RTS line of COM1. Error Code: 22 (The device does not recognize the command)."},
        {SerialMessages::reportFailure(ReportStep::Access, "COM9", 5),
         "Fail to access port COM9. Error code: 5 (Access is denied)."},
        {SerialMessages::reportFailure(ReportStep::Properties, "COM9", 1),
         "Fail to get driver information of COM9. Error code: 1 (Incorrect function)."},
        {SerialMessages::reportFailure(ReportStep::Close, "COM9", 6),
         "Fail to close the handle of COM9. Error code: 6 (The handle is invalid)."},
    };
    for (const auto& [message, expected] : cases)
        EXPECT_EQ(message, QString::fromLatin1(expected));
}

TEST(SerialMessages, DeviceLineNamesTheMappedPathItsDeviceAndDescription)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"/dev/pts/4", "/dev/pts/4", "", "Device: /dev/pts/4"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0", "FTDI FT232R USB UART", "Device: /dev/ttyUSB0, FTDI FT232R USB UART"},
        {"/dev/serial/by-id/usb-FTDI-if00-port0", "/dev/ttyUSB0", "FTDI FT232R USB UART",
         "Device: /dev/serial/by-id/usb-FTDI-if00-port0 (/dev/ttyUSB0), FTDI FT232R USB UART"},
    };
    for (const auto& [mapped, device, description, line] : cases)
        EXPECT_EQ(SerialMessages::deviceLine(mapped, device, description), QString::fromLatin1(line));
}
