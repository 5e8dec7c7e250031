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
#include "support/ownedpty.h"

namespace {

/// The listing a pane shows after runs of bytes arrived, built as the first
/// design's display worker built it: every run walks the buffer from offset
/// 0, writing each byte at its fixed place in a text that grows by a line
/// template of 79 spaces at every line start. Replace starts each run afresh.
QByteArray appendedListing(const QByteArray& prefix, const QList<QByteArray>& runs, bool append)
{
    const qsizetype base = prefix.size() + 1;
    QByteArray text = prefix, buffer, shown = prefix + "\n0000000";
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

    Panel() { PortDeviceMap::setDevicePath(*SettingsStore::open(), "COM1", pty.path); }
    bool open()
    {
        fx.run(CommandId::ComPanel);
        window = qobject_cast<CSendReceiveChildFrame*>(fx.frame().activeChildFrame());
        return window != nullptr;
    }
    ComPanelPane* pane(int row) const { return window->pane(row); }
    void trigger(const char* accelerator)
    {
        fx.frame().findChild<QAction*>(QLatin1String(accelerator))->trigger();
        QCoreApplication::processEvents();
    }
    bool enabled(CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; }
    /// Runs Com Panel Properties, clicks the radio buttons named, and hands the dialog to check before OK.
    void setProperties(QStringList clicks, std::function<void(QDialog&)> check = [](QDialog&) {})
    {
        AppFixture::onNextModal([=](QDialog& dialog) {
            for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                if (clicks.contains(radio->text()))
                    radio->click();
            check(dialog);
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
    void newPanelShowsItsPanes()
    {
        Panel panel;
        QVERIFY(panel.open());
        const std::vector<CBarredWnd*>& panes = panel.window->splitter()->panes();
        QCOMPARE(panes.size(), 2u);
        QCOMPARE(panes[0]->statusBar()->text(), QStringLiteral(" Send Pane"));
        QCOMPARE(panes[1]->statusBar()->text(), QStringLiteral(" Receive Pane"));
        QCOMPARE(panel.pane(0)->text(), appendedListing(ListingPrefix::sendPane(), {kZeros}, false));
        QCOMPARE(panel.pane(1)->text(), ListingPrefix::receivePane() + "\n0000000");
        panel.trigger("accel_Ctrl+W");
        QCOMPARE(panel.fx.windowCount(), 2);
    }

    void propertiesAndSavesKeepEachBuffer()
    {
        Panel panel;
        QVERIFY(panel.open());
        const auto explanations = [](QDialog& dialog) {
            QStringList shown;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                if (label->isVisible())
                    shown << label->text().section(' ', 1, 1);
            return shown;
        };
        panel.setProperties({}, [&](QDialog& dialog) { QCOMPARE(explanations(dialog), QStringList{"Replace"}); });
        panel.setProperties({"Text", "Append"}, [&](QDialog& dialog) {
            QCOMPARE(explanations(dialog), QStringList{"Append"});
            for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
                QCOMPARE(group->accessibleName(), group->title());
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                QCOMPARE(label->accessibleName(), label->text());
            for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                QCOMPARE(radio->accessibleName(), radio->text());
        });
        QTest::keyClicks(panel.pane(0), QStringLiteral("typed"));
        panel.setProperties({}, [&](QDialog& dialog) { QCOMPARE(explanations(dialog), QStringList{"Append"}); });
        const QString sendFile = panel.fx.writeFile(QStringLiteral("send.bin"), QByteArray(100, 'x'));
        const QString missing = panel.fx.path(QStringLiteral("missing/receive.bin"));
        panel.fx.prompter().answerFile(sendFile);
        panel.trigger("accel_Ctrl+S");
        panel.setProperties({"Hex"});
        QCOMPARE(panel.pane(0)->text(), appendedListing(ListingPrefix::sendPane(), {kZeros}, false));
        panel.trigger("accel_F6");
        panel.fx.prompter().answerFile(missing);
        panel.trigger("accel_Ctrl+S");
        QCOMPARE(AppFixture::readFile(sendFile), kZeros);
        QCOMPARE(panel.fx.prompter().asked().front().text, QStringLiteral("Save Send Pane Data As"));
        QCOMPARE(panel.fx.prompter().asked().back().text,
                 QStringLiteral("Failed to open file %1\nCause: No such file or directory").arg(missing));
        QCOMPARE(panel.fx.prompter().asked().at(1).text, QStringLiteral("Save Receive Pane Data As"));
    }

    // Each script letter is a user's step or the far end's: S/s Start/Stop
    // Send, R/r Start/Stop Receive, F the far end writes, X it goes away,
    // T the Text display type with text typed, A Append mode, L a send
    // buffer larger than the pty holds, H another window sends, N/Y the
    // answer to the next question, C close the window, u the port is open.
    void transfersEndAsTheUserIsTold_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<qint64>("acceptedBeforeFault");  // -1: no fault
        QTest::addColumn<QByteArray>("farEnd");  // null: some but not all of the send buffer
        QTest::addColumn<QStringList>("messages");
        const QString sending = QStringLiteral("You are still in the sending data process, do you want to stop sending "
                                               "data and close the window?");
        const QString receiving = QStringLiteral("You are still in the receiving data process, do you want to stop "
                                                 "receiving data and close the window?");
        const QString held = QStringLiteral("Fail to access the COM1 port. Error code: 5 (Access is denied).\n"
                                            "Please check if other process or program is using the same com port "
                                            "(COM1)!");
        const QByteArray none("");
        QTest::newRow("32 zero bytes") << "S" << -1LL << kZeros
                                       << QStringList{"You have successfully sent 32 bytes to the port COM1"};
        QTest::newRow("typed text") << "TS" << -1LL << QByteArray("Hi 42!")
                                    << QStringList{"You have successfully sent 6 bytes to the port COM1"};
        QTest::newRow("first byte fails")
            << "S" << 0LL << none
            << QStringList{"Fail to send the first byte to the com port. Error code: 1117Input/output error"};
        QTest::newRow("22nd byte fails")
            << "S" << 21LL << kZeros.left(21)
            << QStringList{"Fail to send the 22th byte to the com port. Error code: 1117Input/output error"};
        QTest::newRow("stopped send") << "LSs" << -1LL << QByteArray() << QStringList{};
        QTest::newRow("receive twice") << "RFFrRFr" << -1LL << none << QStringList{};
        QTest::newRow("receive appended") << "ARFFrRFr" << -1LL << none << QStringList{};
        QTest::newRow("far end goes") << "RFX" << -1LL << none
                                      << QStringList{"Fail to receive the 16th byte from the com port. Error code: "
                                                     "1117Input/output error"};
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
        const char raw[] = "\x00\x41\x7F\x20 received!\xFF";
        const QByteArray fed(raw, sizeof raw - 1);
        Panel panel;
        if (acceptedBeforeFault >= 0)
            SerialFaults::failWritesAfter(panel.pty.path, acceptedBeforeFault, EIO);
        QVERIFY(panel.open());
        QList<QByteArray> runs;
        bool append = false;
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
                QCOMPARE(::write(panel.pty.master, fed.constData(), std::size_t(fed.size())), fed.size());
                runs.last() += fed;
                QTRY_COMPARE(panel.pane(1)->text(), appendedListing(ListingPrefix::receivePane(), runs, append));
                break;
            case 'X': panel.pty.closeMaster(); break;
            case 'T':
                panel.setProperties({"Text"});
                QTest::keyClicks(panel.pane(0), QStringLiteral("Hi 42!"));
                break;
            case 'A':
                panel.setProperties({"Append"});
                append = true;
                break;
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

    // Every run of every size, in both modes, against the listing the first design built byte by byte.
    void receivePaneShowsTheAppendedListing()
    {
        for (const bool append : {false, true}) {
            Panel panel;
            QVERIFY(panel.open());
            if (append)
                panel.setProperties({"Append"});
            QList<QByteArray> runs;
            for (const int size : {0, 1, 15, 16, 17, 1000}) {
                for (int run = 0; run < 2; ++run) {
                    QByteArray bytes(size, '\0');
                    for (int i = 0; i < size; ++i)
                        bytes[i] = char(i * 37 + run * 11 + size);
                    runs.append(bytes);
                    QTRY_VERIFY(panel.enabled(CommandId::StartReceive));
                    QVERIFY(panel.fx.run(CommandId::StartReceive));
                    QCOMPARE(::write(panel.pty.master, bytes.constData(), std::size_t(size)), size);
                    QTRY_COMPARE(panel.pane(1)->text(), appendedListing(ListingPrefix::receivePane(), runs, append));
                    QVERIFY(panel.fx.run(CommandId::StopReceive));
                }
            }
        }
    }
};

QTEST_MAIN(ComPanelTest)
#include "companel_test.moc"
