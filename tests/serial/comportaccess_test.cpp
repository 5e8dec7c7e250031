#include "serial/comportaccess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

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
    // A pseudo-terminal always keeps 8 bits.
    const struct { const char* port; quint8 byteSize; QString path; const char* message; } cases[] = {
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

// Settings no UART can have are refused before the line changes; a rate off the standard list is set. Bytes
// pass unchanged both ways; a read without data ends empty after its time-out.
TEST_F(PtyPort, LineSettingsAndBytes)
{
    connection.settings.baudRate = 14400;
    openPort();
    // 4 data bits; 1.5 stop bits need 5 data bits; 2 with 5 data bits would be 1.5; no parity 5; no stop bits 3;
    // rate 0 would hang up the line
    const LineSettings refused[] = {{9600, 4, 0, 0}, {9600, 8, 0, 1}, {9600, 5, 0, 2},
                                    {9600, 8, 5, 0}, {9600, 8, 0, 3}, {0, 8, 0, 0}};
    for (const LineSettings& s : refused)
        EXPECT_EQ(device().setState(s).code, 87u) << int(s.byteSize) << "/" << int(s.parity) << "/" << int(s.stopBits);
    LineSettings state;
    ASSERT_FALSE(device().getState(state).failed());
    EXPECT_EQ(state.baudRate, 14400u);

    quint8 buffer[64];
    qint64 got = -1;
    EXPECT_FALSE(device().read(buffer, got).failed());
    EXPECT_EQ(got, 0);
    const QByteArray bytes("\r\n\x03\x11\x13\x7f\x00\xff", 8);  // CR, LF, ^C, XON, XOFF, DEL, NUL, 0xFF
    ASSERT_TRUE(pty.writeMaster(bytes));
    QByteArray received;
    while (received.size() < bytes.size() && !device().read(buffer, got).failed() && got > 0)
        received.append(reinterpret_cast<const char*>(buffer), got);
    EXPECT_EQ(received, bytes);
    ASSERT_FALSE(device().write(std::span(reinterpret_cast<const quint8*>(bytes.constData()), 8), got).failed());
    EXPECT_EQ(got, bytes.size());
    EXPECT_EQ(pty.readMaster(bytes.size()), bytes);
}

// Closing the port wakes a reader waiting without limit; closing the other end fails a write, not times it out.
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
    const quint8 buffer[16] = {};
    qint64 moved = -1;
    EXPECT_EQ(device().write(buffer, moved).code, 1117u);
    EXPECT_EQ(moved, 0);
}
