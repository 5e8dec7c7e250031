#pragma once

#include <QString>
#include <QtGlobal>

/// The settings a document opens its port with, in the device control
/// block's codes (see LineSettings); new documents copy the application's.
struct PortSettings {
    QString portName = QStringLiteral("COM1");
    quint32 baudRate = 9600;
    quint8 byteSize = 8;
    quint8 parity = 0;
    quint8 stopBits = 0;

    bool operator==(const PortSettings&) const = default;
};
