#include <QDialog>
#include <QGroupBox>
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
#include "support/naivelisting.h"
#include "support/ownedpty.h"

namespace {

/// The listing a pane shows after runs of bytes arrived: Replace starts each run afresh.
QByteArray appendedListing(const QByteArray& prefix, const QList<QByteArray>& runs, bool append)
{
    QByteArray bytes;
    for (const QByteArray& run : runs)
        bytes = append ? bytes + run : run;
    return naiveListing(prefix, ByteBuffer(bytes.begin(), bytes.end()));
}

/// A Com Panel on a pty mapped to COM1.
struct Panel {
    AppFixture fx;
    OwnedPty pty;
    CSendReceiveChildFrame* window = nullptr;

    Panel() { PortDeviceMap::setDevicePath(*SettingsStore::open(), "COM1", pty.path); }
    bool open()
    {
        fx.run(CommandId::ComPanel);
        window = qobject_cast<CSendReceiveChildFrame*>(fx.frame().activeChildFrame());
        return window != nullptr;
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
            for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                if (clicks.contains(radio->text()))
                    radio->click();
            QStringList shown;
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                QCOMPARE(label->accessibleName(), label->text());
                if (label->isVisible())
                    shown << label->text().section(' ', 1, 1);
            }
            for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
                QCOMPARE(group->accessibleName(), group->title());
            for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                QCOMPARE(radio->accessibleName(), radio->text());
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
        QCOMPARE(panel.pane(0)->text(), appendedListing(ListingPrefix::sendPane(), {kZeros}, false));
        QCOMPARE(panel.pane(1)->text(), ListingPrefix::receivePane() + "\n0000000");
        panel.setProperties({"Text", "Append"}, "Append");
        QTest::keyClicks(panel.pane(0), QStringLiteral("typed"));
        const QString sendFile = panel.fx.writeFile(QStringLiteral("send.bin"), QByteArray(100, 'x'));
        const QString missing = panel.fx.path(QStringLiteral("missing/receive.bin"));
        panel.fx.prompter().answerFile(sendFile);
        panel.trigger("accel_Ctrl+S");
        panel.setProperties({"Hex"}, "Append");
        QCOMPARE(panel.pane(0)->text(), appendedListing(ListingPrefix::sendPane(), {kZeros}, false));
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
    // next size of the oracle's (each twice, to see a second run), X it goes away,
    // T the Text display type with text typed, A Append mode, L a send
    // buffer larger than the pty holds, H another window sends, N/Y the
    // answer to the next question, C close the window, u the port is open.
    void transfersEndAsTheUserIsTold_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<qint64>("acceptedBeforeFault");  // -1: no fault
        QTest::addColumn<QByteArray>("farEnd");  // null: some but not all of the send buffer
        QTest::addColumn<QStringList>("messages");
        const QString still = "You are still in the %1 data process, do you want to stop %1 data and close the window?";
        const QString sending = still.arg("sending"), receiving = still.arg("receiving");
        const QString sent = "You have successfully sent %1 bytes to the port COM1";
        const QString held = "Fail to access the COM1 port. Error code: 5 (Access is denied).\nPlease check if other "
                             "process or program is using the same com port (COM1)!";
        const QString failed = "Fail to %1 the %2 byte %3 the com port. Error code: 1117Input/output error";
        const QByteArray none("");
        QTest::newRow("32 zero bytes") << "S" << -1LL << kZeros << QStringList{sent.arg(32)};
        QTest::newRow("typed text") << "TS" << -1LL << QByteArray("Hi 42!") << QStringList{sent.arg(6)};
        QTest::newRow("first byte fails") << "S" << 0LL << none << QStringList{failed.arg("send", "first", "to")};
        QTest::newRow("22nd byte fails") << "S" << 21LL << kZeros.left(21) << QStringList{failed.arg("send", "22th", "to")};
        QTest::newRow("stopped send") << "LSs" << -1LL << QByteArray() << QStringList{};
        QTest::newRow("oracle, Replace") << QString("RGr").repeated(12) << -1LL << none << QStringList{};
        QTest::newRow("oracle, Append") << "A" + QString("RGr").repeated(12) << -1LL << none << QStringList{};
        QTest::newRow("far end goes") << "RFX" << -1LL << none << QStringList{failed.arg("receive", "16th", "from")};
        QTest::newRow("shared port") << "LSRsuFr" << -1LL << QByteArray() << QStringList{};
        QTest::newRow("held port") << "HSR" << -1LL << none
                                   << QStringList{held, "No data is sent through the Com port. Please try again later!",
                                                  held, "No data is received. Please try again later!"};
        QTest::newRow("close while sending") << "LSNCYC" << -1LL << QByteArray() << QStringList{sending, sending};
        QTest::newRow("close while receiving") << "RFNCYC" << -1LL << none << QStringList{receiving, receiving};
        QTest::newRow("close while both") << "LSRYNCuYC" << -1LL << QByteArray()
                                          << QStringList{sending, receiving, receiving};
    }

    void transfersEndAsTheUserIsTold()
    {
        QFETCH(QString, script);
        QFETCH(qint64, acceptedBeforeFault);
        QFETCH(QByteArray, farEnd);
        QFETCH(QStringList, messages);
        const int oracleSizes[] = {0, 0, 1, 1, 15, 15, 16, 16, 17, 17, 1000, 1000};
        int oracleRuns = 0;
        Panel panel;
        if (acceptedBeforeFault >= 0)
            SerialFaults::failWritesAfter(panel.pty.path, acceptedBeforeFault, EIO);
        QVERIFY(panel.open());
        QList<QByteArray> runs;
        for (const QChar step : script) {
            switch (step.toLatin1()) {
            case 'S': QVERIFY(panel.fx.run(CommandId::StartSend)); break;
            case 's': QVERIFY(panel.fx.run(CommandId::StopSend)); break;
            case 'R':
                QTRY_VERIFY(panel.enabled(CommandId::StartReceive));  // a stopped receive ends within its read
                QVERIFY(panel.fx.run(CommandId::StartReceive));
                runs.append(QByteArray());
                break;
            case 'r': QVERIFY(panel.fx.run(CommandId::StopReceive)); break;
            case 'F':
            case 'G': {
                QByteArray fed(step == 'F' ? 15 : oracleSizes[oracleRuns++], '\0');
                for (int i = 0; i < fed.size(); ++i)
                    fed[i] = char(i * 37 + runs.size());
                QCOMPARE(::write(panel.pty.master, fed.constData(), std::size_t(fed.size())), fed.size());
                runs.last() += fed;
                QTRY_COMPARE(panel.pane(1)->text(),
                             appendedListing(ListingPrefix::receivePane(), runs, script.startsWith('A')));
                break;
            }
            case 'X': panel.pty.closeMaster(); break;
            case 'T':
                panel.setProperties({"Text"}, "Replace");
                QTest::keyClicks(panel.pane(0), QStringLiteral("Hi 42!"));
                break;
            case 'A': panel.setProperties({"Append"}, "Append"); break;
            case 'L': panel.pane(0)->model().assign(ByteBuffer(std::size_t(1) << 20, 'L')); break;
            case 'H':
                QVERIFY(panel.fx.run(CommandId::FileNew));
                panel.fx.activeDoc()->bytes().assign(ByteBuffer(std::size_t(1) << 20, 'H'));
                QVERIFY(panel.fx.run(CommandId::StartSend) && panel.open());
                break;
            case 'u': QVERIFY(CVellmarApp::instance()->serialPorts().usage().inUse(1)); break;
            case 'N': panel.fx.prompter().answer(Prompter::Answer::No); break;
            case 'Y': panel.fx.prompter().answer(Prompter::Answer::Yes); break;
            case 'C': QVERIFY(panel.fx.run(CommandId::FileClose)); break;
            }
        }
        const QByteArray arrived = panel.pty.readMaster(farEnd.isNull() ? -1 : farEnd.size());
        QVERIFY(farEnd.isNull() ? arrived.size() < (1 << 20) : arrived == farEnd);
        QTRY_COMPARE(panel.fx.prompter().messages(), messages);
        if (script.startsWith('H')) {
            panel.fx.prompter().answer(Prompter::Answer::Yes);  // stop the other window's send
            panel.fx.prompter().answer(Prompter::Answer::No);  // and keep its file as it was
            panel.fx.app().closeAllDocuments();
        }
        QTRY_VERIFY(!panel.enabled(CommandId::StopSend) && !panel.enabled(CommandId::StopReceive));
        QVERIFY(!CVellmarApp::instance()->serialPorts().usage().inUse(1));
    }
};

QTEST_MAIN(ComPanelTest)
#include "companel_test.moc"
