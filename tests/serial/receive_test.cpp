#include <QStandardPaths>
#include <QTest>

#include <cerrno>

#include "app/cmainframe.h"
#include "bytemodel/bytemodel.h"
#include "docview/commandrouter.h"
#include "serialdevice/serialfaults.h"
#include "serial/portdevicemap.h"
#include "serial/portreceiver.h"
#include "serial/portsender.h"
#include "serial/portusagetable.h"
#include "settings/settingsstore.h"
#include "support/apptestbase.h"
#include "support/ownedpty.h"

namespace {

/// How a receive ends; in the last two a send shares the port and one of them stops first.
// (A vanished device and a port held elsewhere are the Com Panel test's rows.)
enum class End { StopReceive, ReadFails, SendStopsFirst, ReceiveStopsFirst };

QByteArray modelBytes(const ByteModel& model)
{
    const ByteBuffer bytes = model.copy(0, model.size());
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void mapCom1(const OwnedPty& pty)
{
    PortDeviceMap::setDevicePath(*SettingsStore::open(), QStringLiteral("COM1"), pty.path);
}

}  // namespace

Q_DECLARE_METATYPE(End)

class ReceiveTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void receivesEndAsTheUserIsTold_data()
    {
        QTest::addColumn<End>("end");
        QTest::addColumn<qint64>("deliveredBeforeFault");  // -1: no fault
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QStringList>("messages");
        QByteArray burst(100000, '\0');
        for (qsizetype i = 0; i < burst.size(); ++i)
            burst[i] = char(i * 7 + i / 256);
        const QString eio = QStringLiteral(" byte from the com port. Error code: 1117Input/output error");
        QTest::newRow("in order") << End::StopReceive << qint64(-1) << burst << QStringList{};
        QTest::newRow("22nd byte fails") << End::ReadFails << qint64(21) << burst.left(21)
                                         << QStringList{"Fail to receive the 22th" + eio};
        QTest::newRow("send stops first") << End::SendStopsFirst << qint64(-1) << burst << QStringList{};
        QTest::newRow("receive stops first") << End::ReceiveStopsFirst << qint64(-1) << burst << QStringList{};
    }

    void receivesEndAsTheUserIsTold()
    {
        QFETCH(End, end);
        QFETCH(qint64, deliveredBeforeFault);
        QFETCH(QByteArray, kept);
        QFETCH(QStringList, messages);
        ScriptedPrompter prompter;
        OwnedPty pty;
        mapCom1(pty);
        PortUsageTable usage(4);
        PortConnection port{PortSettings{QStringLiteral("COM1"), 9600, 8, 0, 0}, nullptr};
        PortShare share(port, usage);
        QObject owner;
        const auto noParent = [] { return static_cast<QWidget*>(nullptr); };
        PortReceiver receiver({&owner, share, noParent, [] {}});
        PortSender sender({&owner, share, noParent, [] {}, SerialMessages::SendWindow::ComPanel});
        if (deliveredBeforeFault >= 0)
            SerialFaults::failReadsAfter(pty.path, deliveredBeforeFault, EIO);
        ByteModel received;
        received.append(std::span<const quint8>(reinterpret_cast<const quint8*>("old"), 3));
        ByteModel toSend;
        toSend.insertFill(0, 1 << 20, 0x55);  // more than a pty holds: the send waits for the far end
        const bool shared = end == End::SendStopsFirst || end == End::ReceiveStopsFirst;
        if (shared)
            sender.start(toSend);
        receiver.start(received, true);
        QVERIFY(pty.writeMaster(end == End::ReadFails ? kept + "ab" : kept));  // the fault needs bytes to read
        QTRY_COMPARE(received.size(), kept.size());
        if (shared) {
            const bool sendFirst = end == End::SendStopsFirst;
            sendFirst ? sender.stop() : receiver.stop();
            QTRY_VERIFY(sendFirst ? !sender.isSending() : !receiver.isReceiving());
            QVERIFY(share.isOpen() && usage.inUse(1));
            sendFirst ? receiver.stop() : sender.stop();
        }
        if (end == End::StopReceive)
            receiver.stop();
        QTRY_VERIFY(!receiver.isReceiving() && !sender.isSending());
        QVERIFY(!share.isOpen() && !usage.inUse(1));
        QCOMPARE(modelBytes(received), kept);
        QCOMPARE(prompter.messages(), messages);

        // Plugged in again: a new Start Receive works, and Append mode keeps the earlier bytes.
        OwnedPty again;
        mapCom1(again);
        receiver.start(received, false);
        QVERIFY(again.writeMaster("+"));
        QTRY_COMPARE(modelBytes(received), kept + "+");
        receiver.stop();
        QTRY_VERIFY(!receiver.isReceiving() && !usage.inUse(1));
    }

    void comparisonSettingsWaitForItsSend()
    {
        AppFixture fx;
        OwnedPty pty;
        mapCom1(pty);
        const QByteArray large(1 << 20, 'L');
        fx.prompter().answerFile(fx.writeFile(QStringLiteral("a.bin"), large));
        fx.prompter().answerFile(fx.writeFile(QStringLiteral("b.bin"), large));
        QVERIFY(fx.run(CommandId::Compare));
        const auto enabled = [&] {
            return CommandRouter::query(fx.frame().commandChain(), CommandId::CurrentSettings).enabled;
        };
        QVERIFY(enabled());
        QVERIFY(fx.run(CommandId::StartSend));
        QVERIFY(!enabled());
        QVERIFY(fx.run(CommandId::StopSend));
        QTRY_VERIFY(enabled());
    }
};

QTEST_MAIN(ReceiveTest)
#include "receive_test.moc"
