#include "settings/rawiniformat.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "support/qstringprint.h"

namespace {

QSettings::SettingsMap readText(QByteArray text)
{
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    EXPECT_TRUE(RawIniFormat::read(buffer, map));
    return map;
}

QByteArray writtenText(const QSettings::SettingsMap& map)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(RawIniFormat::write(buffer, map));
    return data;
}

}  // namespace

TEST(RawIniFormat, ValuesAreTheRawTextAfterTheFirstEqualsSign)
{
    const QSettings::SettingsMap map = readText("; comment\r\n# comment\r\nTop=1\r\n[Recent%20File%20List]\r\n"
                                                "File1=/home/a,b;c=d.bin\r\n [Default Settings] \r\n"
                                                "  BaudRate = 1,2, 3\r\nnot a setting\r\n=no key\r\n");
    EXPECT_EQ(map, (QSettings::SettingsMap{{"Top", "1"},
                                           {"Recent File List/File1", "/home/a,b;c=d.bin"},
                                           {"Default Settings/BaudRate", " 1,2, 3"}}));
}

// A value with a line break is left out rather than split.
TEST(RawIniFormat, WritesSectionsThatReadBackUnchanged)
{
    QSettings::SettingsMap map{{"Port Devices/COM2", "/dev/serial/by-id/usb-A,B-if00"},
                               {"Default Settings/BaudRate", "1, 2"},
                               {"Default Settings/Parity", "No Parity"},
                               {"Top", "x"}};
    const QByteArray text = writtenText(map);
    EXPECT_EQ(text, QByteArray("Top=x\n\n[Default Settings]\nBaudRate=1, 2\nParity=No Parity\n\n"
                               "[Port Devices]\nCOM2=/dev/serial/by-id/usb-A,B-if00\n"));
    EXPECT_EQ(readText(text), map);
    map.insert("Recent File List/File1", "/tmp/a\nb=c");
    map.insert("Recent File List/File2", "/tmp/d");
    EXPECT_EQ(writtenText(map), text + "\n[Recent File List]\nFile2=/tmp/d\n");
}
