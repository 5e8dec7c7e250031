#include "serial/defaultsettingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "serial/portdevicemap.h"
#include "serial/serialports.h"
#include "settings/settingsstore.h"
#include "support/qstringprint.h"

namespace {

class DefaultSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath("Vellmar.ini");
    QSettings settings{path, SettingsStore::format()};

    void store(const char* name, const QString& text) { settings.setValue(QStringLiteral("Default Settings/") + name, text); }
    QString stored(const char* name) { return settings.value(QStringLiteral("Default Settings/") + name).toString(); }
    QByteArray fileText()
    {
        settings.sync();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(DefaultSettingsStoreTest, FirstStartWritesEveryDefault)
{
    const DefaultPortSettings loaded = DefaultSettingsStore::load(settings);
    EXPECT_EQ(loaded.maxComPort, 4);
    EXPECT_EQ(loaded.port, (PortSettings{QStringLiteral("COM1"), 9600, 8, 0, 0}));
    EXPECT_EQ(fileText(), QByteArray("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM1\n"
                                     "MaxComPort=4\nParity=No Parity\nStopBits=1\n"));
}

TEST_F(DefaultSettingsStoreTest, HandWrittenValuesWithCommasAreReadAsTheirText)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; edited by hand\n[Default Settings]\nBaudRate=1,2,3,4,5,6,7,8\nDefaultComPort=COM3,COM4\n"
               "Parity=Odd\n");
    file.close();
    QSettings edited{path, SettingsStore::format()};
    const DefaultPortSettings loaded = DefaultSettingsStore::load(edited);
    // Fifteen characters are too long for the value: it goes back to its default.
    EXPECT_EQ(loaded.port.baudRate, 9600u);
    EXPECT_EQ(loaded.port.portName, QStringLiteral("COM3,COM4"));
    EXPECT_EQ(loaded.port.parity, 1);
    edited.sync();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM3,COM4\n"
                                         "MaxComPort=4\nParity=Odd\nStopBits=1\n"));
}

TEST_F(DefaultSettingsStoreTest, MaxComPortOfFourOrLessIsFourAndStaysInTheFile)
{
    const std::pair<const char*, int> cases[] = {{"2", 4}, {"abc", 4}, {"5", 5}, {" 12 ", 12}, {"99999999999", 9999}};
    for (const auto& [text, expected] : cases) {
        store("MaxComPort", QString::fromLatin1(text));
        EXPECT_EQ(DefaultSettingsStore::load(settings).maxComPort, expected) << text;
        EXPECT_EQ(stored("MaxComPort"), QString::fromLatin1(text));
    }
}

TEST_F(DefaultSettingsStoreTest, ValueOfTwelveCharactersIsReplacedByItsDefault)
{
    store("BaudRate", QStringLiteral("115200115200"));
    store("DefaultComPort", QStringLiteral("COM12345678"));  // 11 characters still fit
    const DefaultPortSettings loaded = DefaultSettingsStore::load(settings);
    EXPECT_EQ(loaded.port.baudRate, 9600u);
    EXPECT_EQ(stored("BaudRate"), QStringLiteral("9600"));
    EXPECT_EQ(loaded.port.portName, QStringLiteral("COM12345678"));
}

TEST_F(DefaultSettingsStoreTest, TextsAreTrimmedAndConverted)
{
    store("DefaultComPort", QStringLiteral("  COM3 "));
    store("BaudRate", QStringLiteral("19200"));
    store("ByteSize", QStringLiteral("7"));
    store("Parity", QStringLiteral("Even"));
    store("StopBits", QStringLiteral(" 2"));
    const PortSettings expected{QStringLiteral("COM3"), 19200, 7, 2, 2};
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, expected);
    store("Parity", QStringLiteral("Parity Odd"));
    EXPECT_EQ(DefaultSettingsStore::load(settings).port.parity, 0) << "an unknown parity is no parity";
}

TEST_F(DefaultSettingsStoreTest, SavedDefaultsUseTheListTextsAndReadBack)
{
    const PortSettings port{QStringLiteral("COM2"), 57600, 5, 3, 1};
    DefaultSettingsStore::saveDefaults(settings, port);
    EXPECT_EQ(stored("Parity"), QStringLiteral("Mark"));
    EXPECT_EQ(stored("StopBits"), QStringLiteral("1.5"));
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, port);
}

TEST_F(DefaultSettingsStoreTest, RaisingMaxComPortStoresItAndExtendsTheUsageTable)
{
    SerialPorts ports;
    ports.load(settings);
    EXPECT_EQ(ports.usage().recordCount(), 6);  // 0 to 4 and one more
    ports.setMaxComPort(settings, 10);
    EXPECT_EQ(ports.maxComPort(), 10);
    EXPECT_EQ(stored("MaxComPort"), QStringLiteral("10"));
    EXPECT_EQ(ports.usage().recordCount(), 11);
}

TEST_F(DefaultSettingsStoreTest, PortNamesMapToDevicesUnlessTheFileSaysOtherwise)
{
    using namespace PortDeviceMap;
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM12")), QStringLiteral("/dev/ttyS11"));
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM")), QString());
    setDevicePath(settings, QStringLiteral("COM5"), QStringLiteral(" /dev/serial/by-id/usb-FTDI-if00-port0 "));
    EXPECT_EQ(settings.value(QStringLiteral("Port Devices/COM5")).toString(),
              QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0"));
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM5")), QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0"));
    setDevicePath(settings, QStringLiteral("COM5"), QStringLiteral("/dev/ttyS4"));
    EXPECT_FALSE(settings.contains(QStringLiteral("Port Devices/COM5")));
    setDevicePath(settings, QStringLiteral("COM2"), QStringLiteral("/dev/pts/4"));
    setDevicePath(settings, QStringLiteral("COM2"), QString());
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM2")), QStringLiteral("/dev/ttyS1"));
}
