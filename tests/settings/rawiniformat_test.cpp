#include "settings/rawiniformat.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "support/qstringprint.h"

// Values are the raw text after the first equals sign; a value with a line break is left out
// rather than split; what is written reads back unchanged.
TEST(RawIniFormat, ReadsRawValuesAndWritesSectionsThatReadBackUnchanged)
{
    const auto read = [](QByteArray text) {
        QBuffer buffer(&text);
        QSettings::SettingsMap map;
        EXPECT_TRUE(buffer.open(QIODevice::ReadOnly) && RawIniFormat::read(buffer, map));
        return map;
    };
    const auto written = [](const QSettings::SettingsMap& map) {
        QByteArray data;
        QBuffer buffer(&data);
        EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && RawIniFormat::write(buffer, map));
        return data;
    };
    EXPECT_EQ(read("; comment\r\n# comment\r\nTop=1\r\n[Recent%20File%20List]\r\nFile1=/home/a,b;c=d.bin\r\n"
                   " [Default Settings] \r\n  BaudRate = 1,2, 3\r\nnot a setting\r\n=no key\r\n"),
              (QSettings::SettingsMap{{"Top", "1"}, {"Recent File List/File1", "/home/a,b;c=d.bin"},
                                      {"Default Settings/BaudRate", " 1,2, 3"}}));
    QSettings::SettingsMap map{{"Port Devices/COM2", "/dev/serial/by-id/usb-A,B-if00"}, {"Top", "x"},
                               {"Default Settings/BaudRate", "1, 2"}, {"Default Settings/Parity", "No Parity"}};
    const QByteArray text = written(map);
    EXPECT_EQ(text, QByteArray("Top=x\n\n[Default Settings]\nBaudRate=1, 2\nParity=No Parity\n\n"
                               "[Port Devices]\nCOM2=/dev/serial/by-id/usb-A,B-if00\n"));
    EXPECT_EQ(read(text), map);
    map.insert("Recent File List/File1", "/tmp/a\nb=c");
    map.insert("Recent File List/File2", "/tmp/d");
    EXPECT_EQ(written(map), text + "\n[Recent File List]\nFile2=/tmp/d\n");
}
