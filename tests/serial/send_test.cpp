#include <QTest>

#include <cerrno>

#include "app/cmainframe.h"
#include "docview/commandrouter.h"
#include "serialdevice/serialfaults.h"
#include "settings/settingsstore.h"
#include "serial/portdevicemap.h"
#include "support/apptestbase.h"
#include "support/ownedpty.h"

namespace {

enum class SendEnd { Finished, StopSend, CloseWindow };

const QString kSentFile = QStringLiteral("tosend.bin");

}  // namespace

Q_DECLARE_METATYPE(SendEnd)
Q_DECLARE_METATYPE(WindowState)

class SendTest : public QObject {
    Q_OBJECT

private slots:
    void sendsEndAsTheUserIsTold_data()
    {
        QTest::addColumn<WindowState>("window");
        QTest::addColumn<QByteArray>("file");  // empty: a new document's 32 zero bytes
        QTest::addColumn<qint64>("acceptedBeforeFault");  // -1: no fault
        QTest::addColumn<SendEnd>("end");
        QTest::addColumn<QByteArray>("farEnd");
        QTest::addColumn<QStringList>("messages");
        const QByteArray zeros(32, '\0');
        const QByteArray large(1 << 20, 'L');  // more than a pty holds: the send waits for the far end
        QTest::newRow("new document") << WindowState::PlainDocument << QByteArray() << qint64(-1) << SendEnd::Finished
                                      << zeros << QStringList{"You have successfully sent 32 bytes to the port COM1"};
        QTest::newRow("File1 pane") << WindowState::Comparison << QByteArray() << qint64(-1) << SendEnd::Finished
                                    << QByteArray("\x01\x02") << QStringList{"You have successfully sent 2 bytes to the port COM1"};
        QTest::newRow("first byte fails")
            << WindowState::PlainDocument << QByteArray() << qint64(0) << SendEnd::Finished << QByteArray()
            << QStringList{"Fail to send the first byte to the com port. Error code: 1117Input/output error"};
        QTest::newRow("22nd byte fails")
            << WindowState::PlainDocument << QByteArray() << qint64(21) << SendEnd::Finished << zeros.left(21)
            << QStringList{"Fail to send the 22th byte to the com port. Error code: 1117"};
        QTest::newRow("stopped") << WindowState::PlainDocument << large << qint64(-1) << SendEnd::StopSend << large
                                 << QStringList{};
        QTest::newRow("closed") << WindowState::PlainDocument << large << qint64(-1) << SendEnd::CloseWindow << large
                                << QStringList{"You are still in the sending data process, do you want to stop sending "
                                               "data and close the window?"};
    }

    void sendsEndAsTheUserIsTold()
    {
        QFETCH(WindowState, window);
        QFETCH(QByteArray, file);
        QFETCH(qint64, acceptedBeforeFault);
        QFETCH(SendEnd, end);
        QFETCH(QByteArray, farEnd);
        QFETCH(QStringList, messages);
        AppFixture fx;
        OwnedPty pty;
        PortDeviceMap::setDevicePath(*SettingsStore::open(), "COM1", pty.path);
        if (acceptedBeforeFault >= 0)
            SerialFaults::failWritesAfter(pty.path, acceptedBeforeFault, EIO);
        if (file.isEmpty()) {
            fx.enterWindowState(window);
        } else {
            fx.prompter().answerFile(fx.writeFile(kSentFile, file));
            QVERIFY(fx.run(CommandId::FileOpen));
        }
        const auto enabled = [&](CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; };
        QVERIFY(fx.run(CommandId::StartSend));
        if (end == SendEnd::Finished) {
            QCOMPARE(pty.readMaster(farEnd.size()), farEnd);
        } else {
            // The send waits for room: the window stays usable, bytes stay as they are.
            QVERIFY(enabled(CommandId::StopSend) && enabled(CommandId::CopyBytes) && !enabled(CommandId::StartSend));
            QVERIFY(!enabled(CommandId::CutBytes) && !enabled(CommandId::BitwiseMask));
            if (end == SendEnd::StopSend) {
                QVERIFY(fx.run(CommandId::StopSend));
            } else {
                fx.prompter().answer(Prompter::Answer::No);
                QVERIFY(fx.run(CommandId::FileClose));
                QVERIFY(enabled(CommandId::StopSend));
                fx.prompter().answer(Prompter::Answer::Yes);
                QVERIFY(fx.run(CommandId::FileClose));
                QCOMPARE(fx.windowCount(), 0);
                messages.prepend(messages.first());
            }
            const QByteArray arrived = pty.readMaster(-1);
            QVERIFY(arrived.size() < farEnd.size() && farEnd.startsWith(arrived));
        }
        QTRY_COMPARE(fx.prompter().messages(), messages);
        QTRY_VERIFY(!enabled(CommandId::StopSend));
        QVERIFY(!CVellmarApp::instance()->serialPorts().usage().inUse(1));
    }
};

QTEST_MAIN(SendTest)
#include "send_test.moc"
