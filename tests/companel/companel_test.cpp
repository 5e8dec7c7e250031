#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <cerrno>
#include <unistd.h>

#include "app/cbarredsplitterwnd.h"
#include "app/cbarredwnd.h"
#include "app/cmainframe.h"
#include "app/cpanestatusbar.h"
#include "app/csendreceivechildframe.h"
#include "companel/companelpane.h"
#include "docview/commandrouter.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/listingprefixes.h"
#include "serialdevice/serialfaults.h"
#include "settings/settingsstore.h"
#include "serial/portdevicemap.h"
#include "support/apptestbase.h"
#include "support/dialogdriver.h"
#include "support/ownedpty.h"

namespace {

/// The listing a pane shows after runs of bytes arrived, built as the first
/// design's display worker built it: every run walks the buffer from offset
/// 0, writing each byte at its fixed place in a text that grows by a line
/// template of 79 spaces at every line start. Replace starts each run afresh.
QByteArray appendedListing(const QByteArray& prefix, const QList<QByteArray>& runs, bool append)
{
    const qsizetype base = prefix.size() + 1;
    QByteArray text = prefix;
    QByteArray buffer;
    QByteArray shown = prefix + "\n0000000";
    for (const QByteArray& run : runs) {
        if (!append) {
            text = prefix;
            buffer.clear();
            shown = prefix + "\n0000000";
        }
        buffer += run;
        for (qsizetype i = 0; i < buffer.size(); ++i) {
            const qsizetype line = base + 77 * (i / 16);
            const int k = int(i % 16);
            if (k == 0) {
                text += QByteArray(79, ' ');
                text[line - 1] = '\n';
                text.replace(line, 7, QByteArray::number(i / 16, 16).toUpper().rightJustified(7, '0'));
            }
            const auto byte = std::uint8_t(buffer[i]);
            text.replace(line + (k < 8 ? 9 : 10) + 3 * k, 2, QByteArray::number(byte, 16).toUpper().rightJustified(2, '0'));
            text[line + 60 + k] = byte >= 0x20 && byte <= 0x7E ? char(byte) : '.';
        }
        if (!buffer.isEmpty())
            shown = text;
    }
    while (shown.endsWith(' ') || shown.endsWith('\n'))
        shown.chop(1);
    return shown;
}

/// A Com Panel on a pty mapped to COM1.
struct Panel {
    AppFixture fx;
    OwnedPty pty;
    CSendReceiveChildFrame* window = nullptr;

    Panel()
    {
        PortDeviceMap::setDevicePath(*SettingsStore::open(), "COM1", pty.path);
    }
    bool open()
    {
        fx.run(CommandId::ComPanel);
        window = qobject_cast<CSendReceiveChildFrame*>(fx.frame().activeChildFrame());
        return window != nullptr;
    }
    ComPanelPane* pane(int row) const { return window->pane(row); }
    bool enabled(CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; }
    void setProperties(const char* displayType, const char* startMode)
    {
        AppFixture::onNextModal([=](QDialog& dialog) {
            for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                if (radio->text() == QLatin1String(displayType) || radio->text() == QLatin1String(startMode))
                    radio->click();
            DialogDriver::clickOk(dialog);
        });
        QVERIFY(fx.run(CommandId::ComPanelProperties));
    }
};

}  // namespace

class ComPanelTest : public QObject {
    Q_OBJECT

private slots:
    void newPanelShowsItsPanes()
    {
        Panel panel;
        QVERIFY(panel.open());
        const std::vector<CBarredWnd*>& panes = panel.window->splitter()->panes();
        QCOMPARE(panes.size(), 2u);
        QCOMPARE(panes[0]->statusBar()->text(), QStringLiteral(" Send Pane"));
        QCOMPARE(panes[1]->statusBar()->text(), QStringLiteral(" Receive Pane"));
        QCOMPARE(panel.pane(0)->text(), appendedListing(ListingPrefix::sendPane(), {QByteArray(32, '\0')}, false));
        QCOMPARE(panel.pane(1)->text(), ListingPrefix::receivePane() + "\n0000000");
        QVERIFY(panel.fx.run(CommandId::ComPanel));
        QCOMPARE(panel.fx.windowCount(), 2);
    }

    // Each script letter is a user's step or the far end's: S/s Start/Stop
    // Send, R/r Start/Stop Receive, F the far end writes the row's bytes,
    // X the far end goes away, A Append mode, N/Y the answer to the next
    // question, C close the window, u the port is still open. A row with a
    // holder runs while another window sends.
    void transfersEndAsTheUserIsTold_data()
    {
        QTest::addColumn<QByteArray>("typed");  // empty: the Hex display type
        QTest::addColumn<qint64>("sendSize");  // -1: a new panel's 32 zero bytes
        QTest::addColumn<qint64>("acceptedBeforeFault");  // -1: no fault
        QTest::addColumn<bool>("holder");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("fed");
        QTest::addColumn<QByteArray>("farEnd");  // null: some but not all of the send buffer
        QTest::addColumn<QStringList>("messages");
        const QByteArray zeros(32, '\0');
        const qint64 large = 1 << 20;  // more than a pty holds: the send waits for the far end
        const QString sending = QStringLiteral("You are still in the sending data process, do you want to stop sending "
                                               "data and close the window?");
        const QString receiving = QStringLiteral("You are still in the receiving data process, do you want to stop "
                                                 "receiving data and close the window?");
        const QString held = QStringLiteral("Fail to access the COM1 port. Error code: 5 (Access is denied).\n"
                                            "Please check if other process or program is using the same com port "
                                            "(COM1)!");
        const char raw[] = "\x00\x41\x7F\x20 received!\xFF";
        const QByteArray bytes(raw, sizeof raw - 1);
        QTest::newRow("32 zero bytes") << QByteArray() << qint64(-1) << qint64(-1) << false << "S" << QByteArray()
                                       << zeros << QStringList{"You have successfully sent 32 bytes to the port COM1"};
        QTest::newRow("typed text") << QByteArray("Hi 42!") << qint64(-1) << qint64(-1) << false << "S"
                                    << QByteArray() << QByteArray("Hi 42!")
                                    << QStringList{"You have successfully sent 6 bytes to the port COM1"};
        QTest::newRow("first byte fails")
            << QByteArray() << qint64(-1) << qint64(0) << false << "S" << QByteArray() << QByteArray()
            << QStringList{"Fail to send the first byte to the com port. Error code: 1117Input/output error"};
        QTest::newRow("22nd byte fails")
            << QByteArray() << qint64(-1) << qint64(21) << false << "S" << QByteArray() << zeros.left(21)
            << QStringList{"Fail to send the 22th byte to the com port. Error code: 1117Input/output error"};
        QTest::newRow("stopped send") << QByteArray() << large << qint64(-1) << false << "Ss" << QByteArray()
                                      << QByteArray() << QStringList{};
        QTest::newRow("receive twice") << QByteArray() << qint64(-1) << qint64(-1) << false << "RFFrRFr" << bytes
                                       << QByteArray() << QStringList{};
        QTest::newRow("receive appended") << QByteArray() << qint64(-1) << qint64(-1) << false << "ARFFrRFr" << bytes
                                       << QByteArray() << QStringList{};
        QTest::newRow("far end goes") << QByteArray() << qint64(-1) << qint64(-1) << false << "RFX" << bytes
                                      << QByteArray()
                                      << QStringList{"Fail to receive the 16th byte from the com port. Error code: "
                                                     "1117Input/output error"};
        QTest::newRow("shared port") << QByteArray() << large << qint64(-1) << false << "SRsuFr" << bytes
                                     << QByteArray() << QStringList{};
        QTest::newRow("held port") << QByteArray() << qint64(-1) << qint64(-1) << true << "SR" << QByteArray()
                                   << QByteArray("")
                                   << QStringList{held, "No data is sent through the Com port. Please try again later!",
                                                  held, "No data is received. Please try again later!"};
        QTest::newRow("close while sending") << QByteArray() << large << qint64(-1) << false << "SNCYC"
                                             << QByteArray() << QByteArray() << QStringList{sending, sending};
        QTest::newRow("close while receiving") << QByteArray() << qint64(-1) << qint64(-1) << false << "RFNCYC"
                                               << bytes << QByteArray() << QStringList{receiving, receiving};
        QTest::newRow("close while both") << QByteArray() << large << qint64(-1) << false << "SRYNCuYC" << QByteArray()
                                          << QByteArray() << QStringList{sending, receiving, receiving};
    }

    void transfersEndAsTheUserIsTold()
    {
        QFETCH(QByteArray, typed);
        QFETCH(qint64, sendSize);
        QFETCH(qint64, acceptedBeforeFault);
        QFETCH(bool, holder);
        QFETCH(QString, script);
        QFETCH(QByteArray, fed);
        QFETCH(QByteArray, farEnd);
        QFETCH(QStringList, messages);
        Panel panel;
        if (acceptedBeforeFault >= 0)
            SerialFaults::failWritesAfter(panel.pty.path, acceptedBeforeFault, EIO);
        if (holder) {
            QVERIFY(panel.fx.run(CommandId::FileNew));
            panel.fx.activeDoc()->bytes().assign(ByteBuffer(std::size_t(1) << 20, 'H'));
            QVERIFY(panel.fx.run(CommandId::StartSend));
        }
        QVERIFY(panel.open());
        ComPanelPane* receivePane = panel.pane(1);
        if (sendSize >= 0)
            panel.pane(0)->model().assign(ByteBuffer(std::size_t(sendSize), 'L'));
        if (!typed.isEmpty()) {
            panel.setProperties("Text", "Replace");
            QTest::keyClicks(panel.pane(0), QString::fromLatin1(typed));
        }
        QList<QByteArray> runs;
        bool append = false;
        for (const QChar step : script) {
            switch (step.toLatin1()) {
            case 'S': QVERIFY(panel.fx.run(CommandId::StartSend)); break;
            case 's': QVERIFY(panel.fx.run(CommandId::StopSend)); break;
            case 'A':
                panel.setProperties("Hex", "Append");
                append = true;
                break;
            case 'R':
                QTRY_VERIFY(panel.enabled(CommandId::StartReceive));  // a stopped receive ends within its read
                QVERIFY(panel.fx.run(CommandId::StartReceive));
                runs.append(QByteArray());
                break;
            case 'r': QVERIFY(panel.fx.run(CommandId::StopReceive)); break;
            case 'F':
                QCOMPARE(::write(panel.pty.master, fed.constData(), std::size_t(fed.size())), fed.size());
                runs.last() += fed;
                QTRY_COMPARE(receivePane->text(), appendedListing(ListingPrefix::receivePane(), runs, append));
                break;
            case 'X': panel.pty.closeMaster(); break;
            case 'u': QVERIFY(CVellmarApp::instance()->serialPorts().usage().inUse(1)); break;
            case 'N': panel.fx.prompter().answer(Prompter::Answer::No); break;
            case 'Y': panel.fx.prompter().answer(Prompter::Answer::Yes); break;
            case 'C': QVERIFY(panel.fx.run(CommandId::FileClose)); break;
            }
        }
        if (farEnd.isNull()) {
            const QByteArray arrived = panel.pty.readMaster(-1);
            QVERIFY(arrived.size() < (1 << 20));
        } else {
            QCOMPARE(panel.pty.readMaster(farEnd.size()), farEnd);
        }
        QTRY_COMPARE(panel.fx.prompter().messages(), messages);
        if (holder) {
            panel.fx.prompter().answer(Prompter::Answer::Yes);  // stop its send
            panel.fx.prompter().answer(Prompter::Answer::No);  // and keep its file as it was
            panel.fx.app().closeAllDocuments();
        }
        QTRY_VERIFY(!panel.enabled(CommandId::StopSend) && !panel.enabled(CommandId::StopReceive));
        QVERIFY(!CVellmarApp::instance()->serialPorts().usage().inUse(1));
    }
};

QTEST_MAIN(ComPanelTest)
#include "companel_test.moc"
