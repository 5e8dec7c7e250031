#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/cmainframe.h"
#include "byteops/decimalfield.h"
#include "hexdoc/cvellmardoc.h"
#include "serialdevice/serialdevice.h"
#include "settings/settingsstore.h"
#include "serial/comport.h"
#include "serial/cportsettingsdlg.h"
#include "serial/portdevicemap.h"
#include "support/apptestbase.h"
#include "support/dialogdriver.h"
#include "support/ownedpty.h"

using namespace DialogDriver;

namespace {

QComboBox* list(QDialog& dialog, const char* name) { return dialog.findChild<QComboBox*>(QString::fromLatin1(name)); }

QStringList selections(QDialog& dialog)
{
    QStringList chosen;
    for (const char* name : {"comPort", "baudRate", "byteSize", "parity", "stopBits"})
        chosen << list(dialog, name)->currentText();
    return chosen;
}

QString stored(const QString& key) { return SettingsStore::open()->value(key).toString(); }

void mapPort(const char* port, const QString& device) { PortDeviceMap::setDevicePath(*SettingsStore::open(), port, device); }

}  // namespace

class SerialDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Cancel changes nothing, OK takes the choice and a device typed for the port; a port above Max Com Port
    // shows as COM1. Current Settings needs a document, the other port commands do not. Set Default stores the
    // choice for new documents only. A refused Max Com Port keeps the dialog open with the field selected; a
    // refused character is not typed.
    void portSettingsDialogs()
    {
        AppFixture fx;
        mapPort("COM2", "/dev/serial/by-id/usb-FTDI-if00-port0");
        const auto enabled = [&](CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; };
        QVERIFY(enabled(CommandId::SetDefault) && enabled(CommandId::MaxComPort) && enabled(CommandId::ComDriverInfo));
        QVERIFY(!enabled(CommandId::CurrentSettings));
        fx.run(CommandId::FileNew);
        QVERIFY(enabled(CommandId::CurrentSettings));
        AppFixture::onNextModal([](QDialog& d) {
            list(d, "baudRate")->setCurrentText("300");
            d.findChild<QComboBox*>("deviceFile")->setEditText("/dev/ttyUSB5");
            click(d, "Cancel");
        });
        fx.run(CommandId::CurrentSettings);
        QCOMPARE(fx.activeDoc()->port().settings, PortSettings{});
        QVERIFY(!SettingsStore::open()->contains("Port Devices/COM1"));

        CVellmarDoc* older = fx.activeDoc();
        older->port().settings = PortSettings{"COM3", 19200, 7, 2, 2};
        AppFixture::onNextModal([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Com Port Settings"));
            QCOMPARE(itemTexts(*list(d, "comPort")), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
            QCOMPARE(selections(d), (QStringList{"COM3", "19200", "7", "Even", "2"}));
            QVERIFY(!button(d, "Reset All"));
            QComboBox* device = d.findChild<QComboBox*>("deviceFile");
            QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyS2"));
            list(d, "comPort")->setCurrentText("COM2");
            QCOMPARE(device->currentText(), QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0"));
            list(d, "comPort")->setCurrentText("COM3");
            device->lineEdit()->selectAll();
            QTest::keyClicks(device->lineEdit(), "/dev/pts/7");
            list(d, "parity")->setCurrentText("Space");
            click(d, "OK");
        });
        QVERIFY(fx.run(CommandId::CurrentSettings));
        QCOMPARE(older->port().settings, (PortSettings{"COM3", 19200, 7, 4, 2}));
        QCOMPARE(stored("Port Devices/COM3"), QStringLiteral("/dev/pts/7"));
        QCOMPARE(stored("Port Devices/COM2"), QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0"));

        older->port().settings.portName = QStringLiteral("COM9");
        AppFixture::onNextModal([](QDialog& d) { click(d, "OK"); });
        fx.run(CommandId::CurrentSettings);
        QCOMPARE(older->port().settings.portName, QStringLiteral("COM1"));

        AppFixture::onNextModal([&fx](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Max Com Port"));
            auto* field = d.findChild<DecimalField*>("maxComPort");
            QCOMPARE(field->text(), QStringLiteral("4"));
            QCOMPARE(field->maxLength(), 4);
            const std::pair<const char*, const char*> refused[] = {  // "1x" pasted
                {"", "Please fill the Max Com Port field!"}, {"1x", "Max Com Port field contains invalid characters!"},
                {"0003", "The value in the Max Com Port field can not be the smaller than 4!"}};
            for (const auto& [text, message] : refused) {
                fx.prompter().clear();
                field->setText(QString::fromLatin1(text));  // which leaves nothing selected
                click(d, "OK");
                QCOMPARE(fx.prompter().messages(), QStringList{QString::fromLatin1(message)});
                QVERIFY(d.isVisible() && field->selectedText() == field->text());
            }
            field->clear();
            QSignalSpy refusedChars(field, &FilteredLineEdit::refused);
            QTest::keyClicks(field, "1a2");
            QCOMPARE(field->text(), QStringLiteral("12"));
            QCOMPARE(refusedChars.count(), 1);
            click(d, "OK");
        });
        QVERIFY(fx.run(CommandId::MaxComPort));
        QCOMPARE(fx.app().serialPorts().maxComPort(), 12);
        QCOMPARE(stored("Default Settings/MaxComPort"), QStringLiteral("12"));
        QVERIFY(fx.app().serialPorts().usage().recordCount() >= 13);

        fx.app().serialPorts().setDefaults(*SettingsStore::open(), PortSettings{"COM2", 110, 5, 3, 1});
        AppFixture::onNextModal([](QDialog& d) { click(d, "Cancel"); });  // the next walk sees the defaults kept
        QVERIFY(fx.run(CommandId::SetDefault));
        AppFixture::onNextModal([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Set Default Parameters"));
            QCOMPARE(itemTexts(*list(d, "comPort")).last(), QStringLiteral("COM12"));
            QCOMPARE(selections(d), (QStringList{"COM2", "110", "5", "Mark", "1.5"}));
            click(d, "Reset All");
            QCOMPARE(selections(d), (QStringList{"COM1", "9600", "8", "No", "1"}));
            list(d, "comPort")->setCurrentText("COM4");
            list(d, "baudRate")->setCurrentText("115200");
            click(d, "OK");
        });
        QVERIFY(fx.run(CommandId::SetDefault));
        QCOMPARE(stored("Default Settings/BaudRate"), QStringLiteral("115200"));
        fx.run(CommandId::FileNew);
        QCOMPARE(fx.activeDoc()->port().settings, (PortSettings{"COM4", 115200, 8, 0, 0}));
        QCOMPARE(older->port().settings, (PortSettings{"COM1", 19200, 7, 4, 2}));
    }

    void pickingAFoundDevicePutsOnlyItsPathInTheField()
    {
        const QList<SerialDeviceEntry> devices{{"/dev/ttyS0", ""}, {"/dev/ttyUSB0", "FTDI FT232R USB UART"}};
        CPortSettingsDlg dialog(CPortSettingsDlg::Kind::CurrentSettings, PortSettings{}, 4, devices);
        QComboBox* device = dialog.findChild<QComboBox*>("deviceFile");
        QCOMPARE(itemTexts(*device), (QStringList{"/dev/ttyS0", "/dev/ttyUSB0  (FTDI FT232R USB UART)"}));
        device->showPopup();
        QTest::keyClick(device->view(), Qt::Key_Down);
        QTest::keyClick(device->view(), Qt::Key_Return);
        QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyUSB0"));
    }

    // Without a document the report describes the default port; it borrows the port of a running transfer,
    // whose handle still works after; a missing device says why.
    void driverInfoDescribesThePort()
    {
        AppFixture fx;
        OwnedPty pty;
        mapPort("COM1", "/dev/ttyVellmarMissing");
        QVERIFY(fx.run(CommandId::ComDriverInfo));
        PortConnection port{PortSettings{"COM1", 9600, 8, 0, 0}, nullptr};
        QVERIFY(!OpenComPort(port, fx.app().serialPorts().usage(), nullptr) && !port.handle);
        QCOMPARE(fx.prompter().messages(),
                 (QStringList{"Fail to access port COM1. Error code: 2 (The system cannot find the file specified).",
                              "Fail to access the COM1 port. Error code: 2 (The system cannot find the port specified)\n"
                              "Please check if your PC has the specified com port (COM1)!"}));
        fx.prompter().clear();

        mapPort("COM1", pty.path);
        AppFixture::onNextModal([&pty](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Communications Driver Information for COM1"));
            QCOMPARE(d.findChild<QLabel*>("line1085")->text(), QStringLiteral("Communications provider type:  Unspecified"));
            QCOMPARE(d.findChild<QLabel*>("line1090")->text(), QStringLiteral("Settable data bits:  8"));
            QCOMPARE(d.findChild<QLabel*>("deviceLine")->text(), QStringLiteral("Device: ") + pty.path);
            click(d, "OK");
        });
        QVERIFY(fx.run(CommandId::ComDriverInfo));
        fx.run(CommandId::FileNew);
        PortConnection& transfer = fx.activeDoc()->port();
        QVERIFY(OpenComPort(transfer, fx.app().serialPorts().usage(), nullptr));
        AppFixture::onNextModal([](QDialog& d) { click(d, "OK"); });
        QVERIFY(fx.run(CommandId::ComDriverInfo));
        QCOMPARE(fx.prompter().messages(), QStringList{});
        quint8 buffer[1];
        qint64 received = 0;
        QVERIFY(transfer.handle && !transfer.handle->read(buffer, received).failed());
        QVERIFY(CloseComPort(transfer, fx.app().serialPorts().usage()));
    }
};

QTEST_MAIN(SerialDialogsTest)
#include "serialdialogs_test.moc"
