#include "serial/defaultsettingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "serial/portdevicemap.h"
#include "settings/settingsstore.h"
#include "support/qstringprint.h"

namespace {

class DefaultSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath("Vellmar.ini");
    QSettings settings{path, SettingsStore::format()};

    void store(const char* name, const char* text) { settings.setValue(QStringLiteral("Default Settings/") + name, text); }
    QString stored(const char* name) { return settings.value(QStringLiteral("Default Settings/") + name).toString(); }
    QByteArray fileText()
    {
        settings.sync();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(DefaultSettingsStoreTest, FirstStartWritesEveryDefaultAndSavedDefaultsReadBack)
{
    const DefaultPortSettings loaded = DefaultSettingsStore::load(settings);
    EXPECT_EQ(loaded.maxComPort, 4);
    EXPECT_EQ(loaded.port, (PortSettings{QStringLiteral("COM1"), 9600, 8, 0, 0}));
    EXPECT_EQ(fileText(), QByteArray("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM1\n"
                                     "MaxComPort=4\nParity=No Parity\nStopBits=1\n"));
    const PortSettings port{QStringLiteral("COM2"), 57600, 5, 3, 1};
    DefaultSettingsStore::saveDefaults(settings, port);
    EXPECT_EQ(stored("Parity"), QStringLiteral("Mark"));
    EXPECT_EQ(stored("StopBits"), QStringLiteral("1.5"));
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, port);
}

// Values are trimmed; one of twelve characters or more goes back to its default, in the file too; commas in a
// hand-written value are part of its text.
TEST_F(DefaultSettingsStoreTest, StoredTextsAreTrimmedConvertedOrReplaced)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; edited by hand\n[Default Settings]\nBaudRate=1,2,3,4,5,6,7,8\nDefaultComPort=COM3,COM4\n");
    file.close();
    QSettings edited{path, SettingsStore::format()};
    EXPECT_EQ(DefaultSettingsStore::load(edited).port, (PortSettings{QStringLiteral("COM3,COM4"), 9600, 8, 0, 0}));
    edited.sync();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("[Default Settings]\nBaudRate=9600\nByteSize=8\nDefaultComPort=COM3,COM4\n"));

    const std::pair<const char*, const char*> stores[] = {{"DefaultComPort", "  COM3 "}, {"BaudRate", "19200"},
                                                          {"ByteSize", "7"}, {"Parity", "Even"}, {"StopBits", " 2"}};
    for (const auto& [name, text] : stores)
        store(name, text);
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, (PortSettings{QStringLiteral("COM3"), 19200, 7, 2, 2}));
    store("Parity", "Parity Odd");  // an unknown parity is no parity
    store("BaudRate", "115200115200");
    store("DefaultComPort", "COM12345678");  // 11 characters still fit
    EXPECT_EQ(DefaultSettingsStore::load(settings).port, (PortSettings{QStringLiteral("COM12345678"), 9600, 7, 0, 2}));
    EXPECT_EQ(stored("BaudRate"), QStringLiteral("9600"));
}

TEST_F(DefaultSettingsStoreTest, MaxComPortOfFourOrLessIsFourAndStaysInTheFile)
{
    const std::pair<const char*, int> cases[] = {{"2", 4}, {"abc", 4}, {"5", 5}, {" 12 ", 12}, {"99999999999", 9999}};
    for (const auto& [text, expected] : cases) {
        store("MaxComPort", text);
        EXPECT_EQ(DefaultSettingsStore::load(settings).maxComPort, expected) << text;
        EXPECT_EQ(stored("MaxComPort"), QString::fromLatin1(text));
    }
}

TEST_F(DefaultSettingsStoreTest, PortNamesMapToDevicesUnlessTheFileSaysOtherwise)
{
    using namespace PortDeviceMap;
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM")), QString());
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0");
    setDevicePath(settings, QStringLiteral("COM5"), " " + byId + " ");
    EXPECT_EQ(settings.value(QStringLiteral("Port Devices/COM5")).toString(), byId);
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM5")), byId);
    setDevicePath(settings, QStringLiteral("COM5"), QStringLiteral("/dev/ttyS4"));
    EXPECT_FALSE(settings.contains(QStringLiteral("Port Devices/COM5")));
    setDevicePath(settings, QStringLiteral("COM2"), QStringLiteral("/dev/pts/4"));
    setDevicePath(settings, QStringLiteral("COM2"), QString());
    EXPECT_EQ(devicePath(settings, QStringLiteral("COM2")), QStringLiteral("/dev/ttyS1"));
}
