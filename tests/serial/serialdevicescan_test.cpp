#include "serialdevice/serialdevicescan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

#include <unistd.h>

#include "serialdevice/uucplock.h"
#include "support/qstringprint.h"

void PrintTo(const SerialDeviceEntry& entry, std::ostream* out)
{
    *out << entry.path.toStdString() << " [" << entry.description.toStdString() << "]";
}

namespace {

void write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

}  // namespace

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
    const QList<SerialDeviceEntry> expected{
        {dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "FTDI FT232R USB UART"},
        {dev + "/ttyS0", ""},
        {dev + "/ttyUSB0", "FTDI FT232R USB UART"},
    };
    EXPECT_EQ(SerialDeviceScan(dev, sys).devices(), expected);
}

TEST(UucpLock, OnlyALockOfARunningProcessHoldsThePort)
{
    QTemporaryDir dir;
    const QByteArray ownPid = QByteArray::number(::getpid()).rightJustified(10, ' ') + '\n';
    const qint32 binaryPid = ::getpid();
    const std::pair<const char*, QByteArray> locks[] = {
        {"ttyUSB0", ownPid}, {"ttyUSB1", QByteArray::number(INT_MAX).rightJustified(10, ' ') + '\n'},  // no such process
        {"ttyUSB2", QByteArray(reinterpret_cast<const char*>(&binaryPid), sizeof binaryPid)},
        {"ttyUSB3", "garbage"}, {"pts_3", ownPid}, {"by-id-name", ownPid}};
    for (const auto& [name, content] : locks)
        write(dir.filePath(QStringLiteral("LCK..") + name), content);
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"/dev/ttyUSB0", "/dev/ttyUSB0", true},  {"/dev/ttyUSB1", "/dev/ttyUSB1", false},
        {"/dev/ttyUSB2", "/dev/ttyUSB2", true},  {"/dev/ttyUSB3", "/dev/ttyUSB3", false},
        {"/dev/pts/3", "/dev/pts/3", true},      {"/dev/serial/by-id/by-id-name", "/dev/ttyUSB9", true},
        {"/dev/ttyUSB4", "/dev/ttyUSB4", false},
    };
    for (const auto& [given, device, held] : cases)
        EXPECT_EQ(UucpLock::heldByLiveProcess(QString::fromLatin1(given), QString::fromLatin1(device), {dir.path()}), held)
            << given;
}
