#include "serial/comportaccess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <unistd.h>

#include "serial/portusagetable.h"
#include "support/ownedpty.h"
#include "support/qstringprint.h"

using namespace std::chrono_literals;

namespace {

/// A pseudo-terminal stands in for a serial port: the test holds the master,
/// the program opens the slave's path as COM3.
class PtyPort : public ::testing::Test {
protected:
    OwnedPty pty;
    PortUsageTable table{4};
    PortConnection connection{PortSettings{QStringLiteral("COM3"), 9600, 8, 0, 0}, nullptr};

    void TearDown() override { ComPortAccess::close(connection, table); }

    void openPort()
    {
        ASSERT_FALSE(pty.path.isEmpty());
        const auto failure = ComPortAccess::open(connection, pty.path, table);
        ASSERT_FALSE(failure) << failure->toStdString();
    }
    SerialDevice& device() { return *connection.handle; }
};

}  // namespace

// A held port refuses a second open with code 5 until it is closed; a failed open says why, keeps no handle
// and leaves the port free.
TEST_F(PtyPort, OpensAndClosesUpdateTheUsageTableAndFailuresSayWhy)
{
    openPort();
    EXPECT_EQ(table.handle(3), connection.handle);
    PortConnection other{connection.settings, nullptr};
    EXPECT_EQ(ComPortAccess::open(other, pty.path, table),
              QStringLiteral("Fail to access the COM3 port. Error code: 5 (Access is denied).\n"
                             "Please check if other process or program is using the same com port (COM3)!"));
    EXPECT_FALSE(other.handle);
    EXPECT_TRUE(ComPortAccess::close(connection, table));
    EXPECT_FALSE(connection.handle || table.inUse(3) || table.handle(3));
    EXPECT_TRUE(ComPortAccess::close(connection, table));  // nothing left to close

    QTemporaryDir dir;
    QFile(dir.filePath("notatty")).open(QIODevice::WriteOnly);
    const struct {
        const char* port;
        quint8 byteSize;  // a pseudo-terminal always keeps 8 bits
        QString path;
        const char* message;
    } cases[] = {
        {"COM7", 8, "/dev/ttyVellmarMissing",
         "Fail to access the COM7 port. Error code: 2 (The system cannot find the port specified)\n"
         "Please check if your PC has the specified com port (COM7)!"},
        {"COM3", 8, dir.filePath("notatty"), "Fail to get the com state of COM3. Error code: 1 (Incorrect function)."},
        {"COM3", 7, pty.path, "Fail to update the com state of COM3. Error code: 87Invalid argument"},
    };
    for (const auto& c : cases) {
        connection.settings.portName = QString::fromLatin1(c.port);
        connection.settings.byteSize = c.byteSize;
        EXPECT_EQ(ComPortAccess::open(connection, c.path, table), QString::fromLatin1(c.message));
        EXPECT_FALSE(connection.handle || table.inUse(3) || table.inUse(7)) << c.port;
    }
    connection.settings.byteSize = 8;
    openPort();
}

// Settings no UART can have are refused before the line changes; rates off the standard list are set.
TEST_F(PtyPort, LineSettings)
{
    for (quint32 rate : {14400u, 256000u}) {
        connection.settings.baudRate = rate;
        openPort();
        LineSettings state;
        ASSERT_FALSE(device().getState(state).failed());
        EXPECT_EQ(state.baudRate, rate);
        ComPortAccess::close(connection, table);
    }
    openPort();
    const LineSettings refused[] = {
        {9600, 4, 0, 0},  // 4 data bits
        {9600, 8, 0, 1},  // 1.5 stop bits need 5 data bits
        {9600, 5, 0, 2},  // 2 stop bits with 5 data bits would be 1.5
        {9600, 8, 5, 0},  // no parity code 5
        {9600, 8, 0, 3},  // no stop bits code 3
        {0, 8, 0, 0},     // rate 0 would hang up the line
    };
    for (const LineSettings& s : refused)
        EXPECT_EQ(device().setState(s).code, 87u) << int(s.byteSize) << "/" << int(s.parity) << "/" << int(s.stopBits);
    LineSettings state;
    ASSERT_FALSE(device().getState(state).failed());
    EXPECT_EQ(state.baudRate, 256000u);
}

// Bytes pass unchanged both ways; a read without data ends empty after its time-out.
TEST_F(PtyPort, BytesPassUnchangedBothWays)
{
    openPort();
    quint8 buffer[64];
    qint64 got = -1;
    EXPECT_FALSE(device().read(buffer, got).failed());
    EXPECT_EQ(got, 0);
    const QByteArray bytes("\r\n\x03\x11\x13\x7f\x00\xff", 8);  // CR, LF, ^C, XON, XOFF, DEL, NUL, 0xFF
    ASSERT_EQ(::write(pty.master, bytes.constData(), bytes.size()), bytes.size());
    QByteArray received;
    while (received.size() < bytes.size() && !device().read(buffer, got).failed() && got > 0)
        received.append(reinterpret_cast<const char*>(buffer), got);
    EXPECT_EQ(received, bytes);
    ASSERT_FALSE(device().write(std::span(reinterpret_cast<const quint8*>(bytes.constData()), 8), got).failed());
    EXPECT_EQ(got, bytes.size());
    EXPECT_EQ(pty.readMaster(bytes.size()), bytes);
}

// A full device takes what it has room for; discarding drops what it has
// not sent and wakes a writer waiting for room, which, stopped, writes nothing.
TEST_F(PtyPort, WritesHandOverWhatTheDeviceAcceptsAndDiscardingStopsThem)
{
    openPort();
    const std::vector<quint8> big(1 << 20, 0x5A);
    qint64 written = 0;
    ASSERT_FALSE(device().write(big, written).failed());
    EXPECT_TRUE(written > 0 && written < qint64(big.size()));
    std::atomic<bool> stop{true};
    const std::shared_ptr<SerialDevice> handle = connection.handle;
    auto writer = std::async(std::launch::async, [&] {
        qint64 moved = -1;
        return handle->write(big, moved, &stop).failed() ? -2 : moved;
    });
    ASSERT_FALSE(device().discardOutput().failed());
    ASSERT_EQ(writer.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(writer.get(), 0);
    EXPECT_LT(pty.readMaster(-1).size(), written);
}

// Closing the other end is a failure, not a time-out; closing the port wakes a reader waiting without limit.
TEST_F(PtyPort, ClosingEitherEndEndsTransfers)
{
    openPort();
    ASSERT_FALSE(device().setTimeouts(CommTimeouts{}).failed());
    const std::shared_ptr<SerialDevice> handle = connection.handle;  // a worker's copy
    const auto readOnce = [handle] {
        quint8 buffer[16];
        qint64 received = 0;
        return handle->read(buffer, received).code;
    };
    auto reader = std::async(std::launch::async, readOnce);
    EXPECT_EQ(reader.wait_for(100ms), std::future_status::timeout);
    EXPECT_TRUE(ComPortAccess::close(connection, table));
    ASSERT_EQ(reader.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(reader.get(), 995u);
    EXPECT_EQ(readOnce(), 6u);  // the copy outlives the close harmlessly

    openPort();
    pty.closeMaster();
    quint8 buffer[16];
    qint64 moved = -1;
    EXPECT_EQ(device().read(buffer, moved).code, 1117u);
    EXPECT_EQ(moved, 0);
    moved = -1;
    EXPECT_EQ(device().write(std::span<const quint8>(buffer), moved).code, 1117u);
    EXPECT_EQ(moved, 0);
}
