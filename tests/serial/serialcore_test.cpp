#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <limits>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "serial/defaultsettingsstore.h"
#include "serial/driverinfolines.h"
#include "serial/errorcodetext.h"
#include "serial/portdevicemap.h"
#include "serial/portsettingstext.h"
#include "serial/serialmessages.h"
#include "serialdevice/serialcapabilities.h"
#include "serialdevice/serialdevicescan.h"
#include "serialdevice/uucplock.h"
#include "serialdevice/windowserror.h"
#include "settings/settingsstore.h"
#include "support/qstringprint.h"

void PrintTo(const SerialDeviceEntry& entry, std::ostream* out)
{
    *out << entry.path.toStdString() << " [" << entry.description.toStdString() << "]";
}

namespace {

using namespace CommProp;
using WindowsError::fromErrno;
using WindowsError::Phase;

void write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

}  // namespace

// Every entry converts both ways in ascending order of device code; odd texts and values fall back.
TEST(PortSettingsText, ListsConvertBothWaysAndOddInputsFallBack)
{
    using namespace PortSettingsText;
    const auto check = [](const QStringList& entries, auto fromText, auto toText, const QStringList& odd,
                          quint32 fallback, quint32 offList, const char* offText) {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(toText(fromText(entries[i])), entries[i]);
            EXPECT_TRUE(i == 0 || fromText(entries[i - 1]) < fromText(entries[i])) << entries[i].toStdString();
        }
        for (const QString& text : odd)
            EXPECT_EQ(quint32(fromText(text)), fallback) << text.toStdString();
        EXPECT_EQ(toText(offList), QString::fromLatin1(offText));
    };
    check(baudRates(), baudRateFromText, textOfBaudRate, {"9601", " 9600"}, 0, 9601, "");
    check(byteSizes(), byteSizeFromText, textOfByteSize, {"9", "3"}, 8, 3, "8");
    check(parities(), parityFromText, textOfParity, {"odd", "Mark "}, 0, 5, "No");
    check(stopBits(), stopBitsFromText, textOfStopBits, {"1.0", ""}, 0, 3, "1");
    EXPECT_EQ(baudRates().size(), 15);
    EXPECT_EQ(stopBitsFromText(u"1.5"), 1);
    EXPECT_EQ(parityFromText(u"Space"), 4);
    const std::pair<const char*, int> ports[] = {{"COM12", 12}, {"COM7x", 7}, {"COM", 0}, {"COM-3", 0}, {"ABC5", 5},
                                                 {"COM99999999999", std::numeric_limits<int>::max()}};
    for (const auto& [name, number] : ports)
        EXPECT_EQ(portNumber(QString::fromLatin1(name)), number) << name;
}

namespace {

class DefaultSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath("Vellmar.ini");
    QSettings settings{path, SettingsStore::format()};

    void store(const char* name, const char* text) { settings.setValue(QStringLiteral("Default Settings/") + name, text); }
    QString stored(const char* name) { return settings.value(QStringLiteral("Default Settings/") + name).toString(); }
};

}  // namespace

TEST_F(DefaultSettingsStoreTest, FirstStartWritesEveryDefaultAndSavedDefaultsReadBack)
{
    const DefaultPortSettings loaded = DefaultSettingsStore::load(settings);
    EXPECT_EQ(loaded.maxComPort, 4);
    EXPECT_EQ(loaded.port, (PortSettings{QStringLiteral("COM1"), 9600, 8, 0, 0}));
    settings.sync();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM1\n"
                                     "MaxComPort=4\nParity=No Parity\nStopBits=1\n"));
    const PortSettings port{QStringLiteral("COM2"), 57600, 5, 3, 1};
    DefaultSettingsStore::saveDefaults(settings, port);
    EXPECT_EQ(stored("Parity"), QStringLiteral("Mark"));
    EXPECT_EQ(stored("StopBits"), QStringLiteral("1.5"));
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, port);
}

// Values are trimmed; one of twelve characters or more goes back to its default, in the file too; commas in a
// hand-written value are part of its text. A Max Com Port of four or less reads as four and stays in the file.
TEST_F(DefaultSettingsStoreTest, StoredTextsAreTrimmedConvertedOrReplaced)
{
    write(path, "; edited by hand\n[Default Settings]\nBaudRate=1,2,3,4,5,6,7,8\nDefaultComPort=COM3,COM4\n");
    QSettings edited{path, SettingsStore::format()};
    EXPECT_EQ(DefaultSettingsStore::load(edited).port, (PortSettings{QStringLiteral("COM3,COM4"), 9600, 8, 0, 0}));
    edited.sync();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM3,COM4\n"));

    const std::pair<const char*, const char*> stores[] = {{"DefaultComPort", "  COM3 "}, {"BaudRate", "19200"},
                                                          {"ByteSize", "7"}, {"Parity", "Even"}, {"StopBits", " 2"}};
    for (const auto& [name, text] : stores)
        store(name, text);
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, (PortSettings{QStringLiteral("COM3"), 19200, 7, 2, 2}));
    store("Parity", "Parity Odd");  // an unknown parity is no parity
    store("BaudRate", "115200115200");
    store("DefaultComPort", "COM12345678");  // 11 characters still fit
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, (PortSettings{QStringLiteral("COM12345678"), 9600, 7, 0, 2}));
    EXPECT_EQ(stored("BaudRate"), QStringLiteral("9600"));

    const std::pair<const char*, int> maxima[] = {{"2", 4}, {"abc", 4}, {"5", 5}, {" 12 ", 12}, {"99999999999", 9999}};
    for (const auto& [text, expected] : maxima) {
        store("MaxComPort", text);
        EXPECT_EQ(DefaultSettingsStore::load(settings).maxComPort, expected) << text;
        EXPECT_EQ(stored("MaxComPort"), QString::fromLatin1(text));
    }
}

TEST_F(DefaultSettingsStoreTest, PortNamesMapToDevicesUnlessTheFileSaysOtherwise)
{
    using namespace PortDeviceMap;
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM")), QString());
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0");
    setDevicePath(settings, QStringLiteral("COM5"), " " + byId + " ");
    EXPECT_EQ(settings.value(QStringLiteral("Port Devices/COM5")).toString(), byId);
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM5")), byId);
    setDevicePath(settings, QStringLiteral("COM5"), QStringLiteral("/dev/ttyS4"));
    EXPECT_FALSE(settings.contains(QStringLiteral("Port Devices/COM5")));
    setDevicePath(settings, QStringLiteral("COM2"), QStringLiteral("/dev/pts/4"));
    setDevicePath(settings, QStringLiteral("COM2"), QString());
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM2")), QStringLiteral("/dev/ttyS1"));
}

// Table texts are parenthesised sentences; codes outside the table give the system text unchanged.
TEST(ErrorCodeText, TableTextsAreParenthesisedSentencesAndTheRestIsTheSystemText)
{
    for (quint32 code = 0; code <= 60; ++code) {
        const QString text = ErrorCodeText(code);
        EXPECT_TRUE(!text.isEmpty() && (text == WindowsError::systemText(code)
                                        || (text.startsWith(' ') && text.trimmed().startsWith('(') && text.endsWith(")."))))
            << code;
    }
    EXPECT_EQ(ErrorCodeText(39), QStringLiteral("  (The disk is full)."));
    EXPECT_EQ(ErrorCodeText(1117), QStringLiteral("Input/output error"));
    EXPECT_EQ(ErrorCodeText(WindowsError::kUnmappedBase + EISDIR), QStringLiteral("Is a directory"));
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

namespace {

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

// Denied access names a group that may read and write the device, never root's nor the terminals' tty
// group (0620: it may not read), and none when the group may only read or only write.
TEST(SerialMessages, PermissionDeniedNamesOnlyAGroupThatMayReadAndWriteTheDevice)
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile(device).open(QIODevice::WriteOnly);
    const group* entry = ::geteuid() == 0 ? ::getgrnam("dialout") : ::getgrgid(::getegid());
    const gid_t gid = entry ? entry->gr_gid : 0;
    if (gid != 0 && give(device, gid, 0660)) {
        EXPECT_EQ(denied("COM4", device),
                  deniedWithoutGroup("COM4").section('\n', 0, 0)
                      + QStringLiteral("\nYou may not use %1: it belongs to the group %2. Ask to be added to that group "
                                       "(sudo usermod -aG %2 $USER); membership takes effect at your next login.")
                            .arg(device, QString::fromLocal8Bit(entry->gr_name)));
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

// A UART with modem lines tops out at its baud base and shows every line; a pseudo-terminal has eight bits,
// no parity and no modem lines; the kind of a device follows its major number, then its name.
TEST(DriverInfoLines, PropertiesFollowTheKindOfDevice)
{
    using Kind = SerialFacts::Kind;
    const CommProperties p =
        SerialCapabilities::propertiesOf({.kind = Kind::Rs232, .modemLines = true, .baudBase = 115200, .fifoSize = 4095});
    EXPECT_TRUE((p.settableBaud & BAUD_USER) && !(p.settableBaud & BAUD_128K));
    EXPECT_EQ(DriverInfoLines::of(p).inDialogOrder(),
              (QStringList{"Max output buffer size (in bytes):  No maximum value is imposed by the comm driver",
                           "Max input buffer size (in bytes):  No maximum value is imposed by the comm driver",
                           "Current output buffer size (in bytes): 4095  (0xFFF)",
                           "Current input buffer size (in bytes): 4095  (0xFFF)", "Max baud rate (bps):  115200",
                           "Communications provider type:  RS-232 serial port",
                           "Provider capabilities:  Parity checking, RLSD, RTS/CTS, Settable XON/XOFF, Total time-outs,",
                           "   XON/XOFF flow control",
                           "Settable params:  Baud rate, Data bits, Handshaking, Parity, Parity checking, RLSD, Stop bits",
                           "Settable data bits:  5, 6, 7, 8",
                           "Settable stop bits and parity settings:  1, 1.5, 2,    No, Odd, Even, Mark, Space",
                           "Settable baud rates (bps):  75, 110, 135.5, 150, 300, 600, 1200, 1800, 2400, 4800,",
                           "   7200, 9600, 14400, 19200, 38400, 56K, 57600, 115200, Programmable"}));
    const DriverInfoLines pty = DriverInfoLines::of(SerialCapabilities::propertiesOf({.kind = Kind::PseudoTerminal}));
    EXPECT_EQ(pty.settableStopBitsAndParity, QStringLiteral("Settable stop bits and parity settings:  1, 2,    No"));
    EXPECT_EQ(pty.capabilities,
              QStringLiteral("Provider capabilities:  Settable XON/XOFF, Total time-outs, XON/XOFF flow control"));
    EXPECT_EQ(pty.maxBaudRate, QStringLiteral("Max baud rate (bps):  Programmable"));
    const std::tuple<const char*, unsigned int, Kind> kinds[] = {
        {"/dev/ttyS0", 4, Kind::Rs232}, {"/dev/ttyUSB0", 188, Kind::Rs232}, {"/dev/pts/3", 136, Kind::PseudoTerminal},
        {"/dev/pts/300", 143, Kind::PseudoTerminal}, {"/dev/rfcomm0", 216, Kind::Other}};
    for (const auto& [path, major, kind] : kinds)
        EXPECT_EQ(SerialFacts::kindOf(QString::fromLatin1(path), major), kind) << path;
}

// One line per case: what an empty record shows, where the lists split, the rarer entries.
TEST(DriverInfoLines, SingleEntries)
{
    const auto with = [](auto field, auto value) { CommProperties p; p.*field = value; return p; };
    const quint32 fiveCapabilities = PCF_DTRDSR | PCF_RTSCTS | PCF_RLSD | PCF_PARITY_CHECK | PCF_XONXOFF;
    const struct { CommProperties properties; QString DriverInfoLines::*line; const char* expected; } cases[] = {
        {{}, &DriverInfoLines::maxBaudRate, "Max baud rate (bps):  Not Available"},
        {{}, &DriverInfoLines::capabilities, "Provider capabilities:  Not available"},
        {{}, &DriverInfoLines::settableBaudRates, "Settable baud rates (bps):  Not available"},
        // The blanks between the two lists are always there: the label and two spaces.
        {{}, &DriverInfoLines::settableStopBitsAndParity, "Settable stop bits and parity settings:   "},
        {with(&CommProperties::settableBaud, BAUD_075 | BAUD_128K), &DriverInfoLines::settableBaudRates,
         "Settable baud rates (bps):  75, 128K"},
        {with(&CommProperties::provCapabilities, fiveCapabilities), &DriverInfoLines::capabilities,
         "Provider capabilities:  DTR/DSR, Parity checking, RLSD, RTS/CTS, XON/XOFF flow control"},
        {with(&CommProperties::provCapabilities, fiveCapabilities), &DriverInfoLines::capabilitiesContinued, ""},
        {with(&CommProperties::settableData, quint16(DATABITS_16 | DATABITS_16X)), &DriverInfoLines::settableDataBits,
         "Settable data bits:  16, Special wide path"},
        {with(&CommProperties::provSubType, 0x999u), &DriverInfoLines::providerType,
         "Communications provider type:  Unspecified"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriverInfoLines::of(c.properties).*c.line, QString::fromLatin1(c.expected));
}
// A small /dev and /sys: a USB adapter with its by-id link, a UART with a chip, a UART slot without one,
// and a virtual terminal.
TEST(SerialDeviceScan, ListsByIdNamesThenTtysWithHardware)
{
    QTemporaryDir root;
    const QString dev = root.filePath("dev");
    const QString sys = root.filePath("sys");
    const QString usbDevice = sys + "/devices/pci0/usb1/1-1";
    const QString uart = sys + "/devices/platform/serial8250";
    for (const QString& dir : {dev + "/serial/by-id", usbDevice + "/1-1:1.0/ttyUSB0", uart, sys + "/class/tty/ttyUSB0",
                               sys + "/class/tty/ttyS0", sys + "/class/tty/ttyS1", sys + "/class/tty/tty0"})
        QDir().mkpath(dir);
    write(usbDevice + "/manufacturer", "FTDI\n");
    write(usbDevice + "/product", "FT232R USB UART\n");
    write(sys + "/class/tty/ttyS0/type", "4\n");
    write(sys + "/class/tty/ttyS1/type", "0\n");
    for (const char* node : {"ttyUSB0", "ttyS0", "ttyS1", "tty0"})
        write(dev + "/" + node, "");
    const std::pair<QString, QString> links[] = {
        {usbDevice + "/1-1:1.0/ttyUSB0", sys + "/class/tty/ttyUSB0/device"}, {uart, sys + "/class/tty/ttyS0/device"},
        {uart, sys + "/class/tty/ttyS1/device"},
        {"../../ttyUSB0", dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"}};
    for (const auto& [target, path] : links)
        ASSERT_TRUE(QFile::link(target, path));
    const QString ftdi = "FTDI FT232R USB UART";
    EXPECT_EQ(SerialDeviceScan(dev, sys).devices(),
              (QList<SerialDeviceEntry>{{dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", ftdi},
                                        {dev + "/ttyS0", ""}, {dev + "/ttyUSB0", ftdi}}));
}

// Each row a lock file (none when its name is empty), the port as the user names it and its device when
// that differs.
TEST(UucpLock, OnlyALockOfARunningProcessHoldsThePort)
{
    QTemporaryDir dir;
    const QByteArray ownPid = QByteArray::number(::getpid()).rightJustified(10, ' ') + '\n';
    const qint32 binaryPid = ::getpid();
    const std::tuple<const char*, QByteArray, const char*, const char*, bool> cases[] = {
        {"ttyUSB0", ownPid, "/dev/ttyUSB0", "", true},
        {"ttyUSB1", QByteArray::number(INT_MAX).rightJustified(10, ' ') + '\n', "/dev/ttyUSB1", "", false},
        {"ttyUSB2", QByteArray(reinterpret_cast<const char*>(&binaryPid), sizeof binaryPid), "/dev/ttyUSB2", "", true},
        {"ttyUSB3", "garbage", "/dev/ttyUSB3", "", false}, {"pts_3", ownPid, "/dev/pts/3", "", true},
        {"by-id-name", ownPid, "/dev/serial/by-id/by-id-name", "/dev/ttyUSB9", true}, {"", "", "/dev/ttyUSB4", "", false},
    };
    for (const auto& [name, content, given, device, held] : cases) {
        if (*name)
            write(dir.filePath(QStringLiteral("LCK..") + name), content);
        EXPECT_EQ(UucpLock::heldByLiveProcess(given, QString::fromLatin1(*device ? device : given), {dir.path()}), held)
            << given;
    }
}
