#include <QDialog>
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

    void sendsEndAsTheUserIsTold_data()
    {
        QTest::addColumn<QByteArray>("typed");  // empty: the Hex display type
        QTest::addColumn<qint64>("acceptedBeforeFault");  // -1: no fault
        QTest::addColumn<QByteArray>("farEnd");
        QTest::addColumn<QStringList>("messages");
        const QByteArray zeros(32, '\0');
        QTest::newRow("32 zero bytes") << QByteArray() << qint64(-1) << zeros
                                       << QStringList{"You have successfully sent 32 bytes to the port COM1"};
        QTest::newRow("typed text") << QByteArray("Hi 42!") << qint64(-1) << QByteArray("Hi 42!")
                                    << QStringList{"You have successfully sent 6 bytes to the port COM1"};
        QTest::newRow("first byte fails")
            << QByteArray() << qint64(0) << QByteArray()
            << QStringList{"Fail to send the first byte to the com port. Error code: 1117Input/output error"};
    }

    void sendsEndAsTheUserIsTold()
    {
        QFETCH(QByteArray, typed);
        QFETCH(qint64, acceptedBeforeFault);
        QFETCH(QByteArray, farEnd);
        QFETCH(QStringList, messages);
        Panel panel;
        if (acceptedBeforeFault >= 0)
            SerialFaults::failWritesAfter(panel.pty.path, acceptedBeforeFault, EIO);
        QVERIFY(panel.open());
        if (!typed.isEmpty()) {
            panel.setProperties("Text", "Replace");
            QTest::keyClicks(panel.pane(0), QString::fromLatin1(typed));
            QCOMPARE(panel.pane(0)->text(), typed);
        }
        QVERIFY(panel.fx.run(CommandId::StartSend));
        QCOMPARE(panel.pty.readMaster(farEnd.size()), farEnd);
        QTRY_COMPARE(panel.fx.prompter().messages(), messages);
        QTRY_VERIFY(!panel.enabled(CommandId::StopSend));
        QVERIFY(!CVellmarApp::instance()->serialPorts().usage().inUse(1));
    }
};

QTEST_MAIN(ComPanelTest)
#include "companel_test.moc"
