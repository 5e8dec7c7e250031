#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <cerrno>

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
#include "support/naivelisting.h"
#include "support/ownedpty.h"

namespace {

/// A Com Panel on a pty mapped to COM1.
struct Panel {
    AppFixture fx;
    OwnedPty pty;
    CSendReceiveChildFrame* window = nullptr;

    Panel() { PortDeviceMap::setDevicePath(*SettingsStore::open(), "COM1", pty.path); }
    bool open()
    {
        fx.run(CommandId::ComPanel);
        return (window = qobject_cast<CSendReceiveChildFrame*>(fx.frame().activeChildFrame()));
    }
    ComPanelPane* pane(int row) const { return window->pane(row); }
    bool enabled(CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; }
    void trigger(const char* name)
    {
        fx.frame().findChild<QAction*>(QLatin1String(name))->trigger();
        QCoreApplication::processEvents();
    }
    /// Com Panel Properties with the radio buttons named clicked: every control
    /// is named by its text, and the one explanation shown is the mode's.
    void setProperties(const QStringList& clicks, const QString& mode)
    {
        AppFixture::onNextModal([=](QDialog& dialog) {
            for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
                QCOMPARE(radio->accessibleName(), radio->text());
                if (clicks.contains(radio->text()))
                    radio->click();
            }
            QStringList shown;
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                QCOMPARE(label->accessibleName(), label->text());
                if (label->isVisible())
                    shown << label->text().section(' ', 1, 1);
            }
            for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
                QCOMPARE(group->accessibleName(), group->title());
            QCOMPARE(shown, QStringList{mode});
            DialogDriver::clickOk(dialog);
        });
        QVERIFY(fx.run(CommandId::ComPanelProperties));
    }
};

const QByteArray kZeros(32, '\0');

}  // namespace

class ComPanelTest : public QObject {
    Q_OBJECT

private slots:
    void panesShowAndSaveTheirOwnBuffers()
    {
        Panel panel;
        QVERIFY(panel.open());
        const std::vector<CBarredWnd*>& panes = panel.window->splitter()->panes();
        QCOMPARE(panes[0]->statusBar()->text() + panes[1]->statusBar()->text(), " Send Pane Receive Pane");
        QCOMPARE(panel.pane(0)->text(), naiveListing(ListingPrefix::sendPane(), ByteBuffer(32, 0)));
        QCOMPARE(panel.pane(1)->text(), ListingPrefix::receivePane() + "\n0000000");
        panel.setProperties({"Text", "Append"}, "Append");
        QTest::keyClicks(panel.pane(0), QStringLiteral("typed"));
        const QString sendFile = panel.fx.writeFile(QStringLiteral("send.bin"), QByteArray(100, 'x'));
        const QString missing = panel.fx.path(QStringLiteral("missing/receive.bin"));
        panel.fx.prompter().answerFile(sendFile);
        panel.trigger("accel_Ctrl+S");
        panel.setProperties({"Hex"}, "Append");
        QCOMPARE(panel.pane(0)->text(), naiveListing(ListingPrefix::sendPane(), ByteBuffer(32, 0)));
        panel.trigger("accel_F6");
        panel.fx.prompter().answerFile(missing);
        panel.trigger("accel_Ctrl+S");
        QCOMPARE(AppFixture::readFile(sendFile), kZeros);  // the buffer, not the text, and no longer than it
        QStringList asked;
        for (const ScriptedPrompter::Asked& question : panel.fx.prompter().asked())
            asked << question.text;
        QCOMPARE(asked, QStringList({"Save Send Pane Data As", "Save Receive Pane Data As",
                              "Failed to open file " + missing + "\nCause: No such file or directory"}));
        panel.trigger("accel_Ctrl+W");
        QCOMPARE(panel.fx.windowCount(), 2);
    }

    // Each script letter is a user's step or the far end's: S/s Start/Stop
    // Send, R/r Start/Stop Receive, F the far end writes 15 bytes, G the
    // next size of the oracle's (each twice, to see a second run), w it writes
    // one byte, X it goes away, Z/W the next port opened fails every write /
    // after 21 bytes, E every read after 15 bytes, T the Text display type
    // with text typed, A Append mode, L a send buffer larger than the pty
    // holds, H another window sends, D/O/Q a new document / a large file opened /
    // two large files compared,
    // e the states of a hex view that waits for its send, v/V Current Settings
    // off / back on, N/Y the answer to the next question, C close the window, c close them all,
    // 1/2 the number of windows, u the port is open.
    void transfersEndAsTheUserIsTold_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("farEnd");  // null: some but not all of the send buffer
        QTest::addColumn<QStringList>("messages");
        const QString still = "You are still in the %1 data process, do you want to stop %1 data and close the window?";
        const QString sending = still.arg("sending"), receiving = still.arg("receiving");
        const QString sent = "You have successfully sent %1 bytes to the port COM1";
        const QString held = "Fail to access the COM1 port. Error code: 5 (Access is denied).\nPlease check if other "
                             "process or program is using the same com port (COM1)!";
        const QString eio = "Input/output error";
        const QString sendFailed = "Fail to send the %1 byte to the com port. Error code: 1117";
        const QString readFailed = "Fail to receive the 16th byte from the com port. Error code: 1117" + eio;
        const QByteArray none("");
        QTest::newRow("32 zero bytes") << "S" << kZeros << QStringList{sent.arg(32)};
        QTest::newRow("typed text") << "TS" << QByteArray("Hi 42!") << QStringList{sent.arg(6)};
        QTest::newRow("first byte fails") << "ZS" << none << QStringList{sendFailed.arg("first") + eio};
        QTest::newRow("22nd byte fails") << "WS" << kZeros.left(21) << QStringList{sendFailed.arg("22th") + eio};
        QTest::newRow("stopped send") << "LSs" << QByteArray() << QStringList{};
        // Runs of 100,000 bytes arrive in many reads, whose appends the model gathers.
        QTest::newRow("oracle, Replace") << QString("RGr").repeated(12) << none << QStringList{};
        QTest::newRow("oracle, Append") << "A" + QString("RGr").repeated(12) << none << QStringList{};
        QTest::newRow("far end goes") << "RFX" << none << QStringList{readFailed};
        QTest::newRow("16th byte read fails") << "ERFw" << none << QStringList{readFailed};
        QTest::newRow("shared port") << "LSRsuFr" << QByteArray() << QStringList{};
        QTest::newRow("receive stops first") << "LSRrus" << QByteArray() << QStringList{};
        // The other window's send is stopped and its file kept as it was.
        QTest::newRow("held port") << "HSRYNc" << none
                                   << QStringList{held, "No data is sent through the Com port. Please try again later!", held,
                                                  "No data is received. Please try again later!", sending,
                                                  "Save changes to Vellmar1?"};
        QTest::newRow("close while sending") << "LSNCYC" << QByteArray() << QStringList{sending, sending};
        QTest::newRow("close while receiving") << "RFNCYC" << none << QStringList{receiving, receiving};
        QTest::newRow("close while both") << "LSRYNCuYC" << QByteArray() << QStringList{sending, receiving, receiving};
        QTest::newRow("new document") << "DS" << kZeros << QStringList{sent.arg(32)};
        QTest::newRow("document, 22nd byte fails") << "WDS" << kZeros.left(21) << QStringList{sendFailed.arg("22th")};
        QTest::newRow("document stopped") << "OSes" << QByteArray() << QStringList{};
        QTest::newRow("document closed") << "OSeNC2eYC1" << QByteArray() << QStringList{sending, sending};
        QTest::newRow("comparison sends") << "QVSvsV" << QByteArray() << QStringList{};
    }

    void transfersEndAsTheUserIsTold()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, farEnd);
        QFETCH(QStringList, messages);
        using enum CommandId;
        const int oracleSizes[] = {0, 0, 1, 1, 15, 15, 16, 16, 17, 17, 100000, 100000};
        int oracleRuns = 0;
        Panel panel;
        QVERIFY(panel.open());
        QList<QByteArray> runs;
        for (const QChar step : script) {
            switch (step.toLatin1()) {
            case 'S': QVERIFY(panel.fx.run(StartSend)); break;
            case 's': QVERIFY(panel.fx.run(StopSend)); break;
            case 'R':
                QTRY_VERIFY(panel.enabled(StartReceive));  // a stopped receive ends within its read
                QVERIFY(panel.fx.run(StartReceive));
                runs.append(QByteArray());
                break;
            case 'r': QVERIFY(panel.fx.run(StopReceive)); break;
            case 'F':
            case 'G': {
                QByteArray fed(step == 'F' ? 15 : oracleSizes[oracleRuns++], '\0');
                for (int i = 0; i < fed.size(); ++i)
                    fed[i] = char(i * 37 + runs.size());
                QVERIFY(panel.pty.writeMaster(fed));
                runs.last() += fed;
                const QByteArray shown = script.startsWith('A') ? runs.join() : runs.last();  // Replace starts afresh
                const ByteBuffer bytes(shown.begin(), shown.end());
                QTRY_COMPARE(panel.pane(1)->text(), naiveListing(ListingPrefix::receivePane(), bytes));
                QVERIFY(panel.pane(1)->model().copy(0, 1 << 20) == bytes);
                break;
            }
            case 'w': QVERIFY(panel.pty.writeMaster("w")); break;
            case 'X': panel.pty.closeMaster(); break;
            case 'Z':
            case 'W': SerialFaults::failWritesAfter(panel.pty.path, step == 'Z' ? 0 : 21, EIO); break;
            case 'E': SerialFaults::failReadsAfter(panel.pty.path, 15, EIO); break;
            case 'T':
                panel.setProperties({"Text"}, "Replace");
                QTest::keyClicks(panel.pane(0), QStringLiteral("Hi 42!"));
                break;
            case 'A': panel.setProperties({"Append"}, "Append"); break;
            case 'L': QVERIFY(panel.pane(0)->model().insertFill(0, 1 << 20, 'L')); break;
            case 'H':
                QVERIFY(panel.fx.run(FileNew));
                panel.fx.activeDoc()->bytes().assign(ByteBuffer(std::size_t(1) << 20, 'H'));
                QVERIFY(panel.fx.run(StartSend) && panel.open());
                break;
            case 'D': panel.fx.enterWindowState(WindowState::PlainDocument); break;
            case 'O':
            case 'Q':  // the File1 pane's bytes are the ones sent
                for (const char fill : QByteArray(step == 'O' ? "L" : "LM"))
                    panel.fx.prompter().answerFile(panel.fx.writeFile(fill + QString(".bin"), QByteArray(1 << 20, fill)));
                QVERIFY(panel.fx.run(step == 'O' ? FileOpen : Compare));
                break;
            case 'e':  // the bytes stay as they are, the window usable
                QVERIFY(panel.enabled(StopSend) && panel.enabled(CopyBytes) && !panel.enabled(StartSend));
                QVERIFY(!panel.enabled(CutBytes) && !panel.enabled(BitwiseMask) && !panel.enabled(CurrentSettings));
                break;
            case 'v': QVERIFY(!panel.enabled(CurrentSettings)); break;
            case 'V': QTRY_VERIFY(panel.enabled(CurrentSettings)); break;
            case 'u': QVERIFY(CVellmarApp::instance()->serialPorts().usage().inUse(1)); break;
            case 'N': panel.fx.prompter().answer(Prompter::Answer::No); break;
            case 'Y': panel.fx.prompter().answer(Prompter::Answer::Yes); break;
            case 'c': panel.fx.app().closeAllDocuments(); break;
            case 'C': QVERIFY(panel.fx.run(FileClose)); break;
            case '1':
            case '2': QCOMPARE(panel.fx.windowCount(), step.digitValue()); break;
            }
        }
        const QByteArray arrived = panel.pty.readMaster(farEnd.isNull() ? -1 : farEnd.size());
        QVERIFY(farEnd.isNull() ? arrived.size() < (1 << 20) && arrived == QByteArray(arrived.size(), 'L')
                                : arrived == farEnd);
        QTRY_COMPARE(panel.fx.prompter().messages(), messages);
        QTRY_VERIFY(!panel.enabled(StopSend) && !panel.enabled(StopReceive));
        QVERIFY(!CVellmarApp::instance()->serialPorts().usage().inUse(1));
    }
};

QTEST_MAIN(ComPanelTest)
#include "companel_test.moc"
