#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

/// The text forms of the port settings: the lists the dialogs offer and the
/// conversions between list text and value, each with its fallback.
namespace PortSettingsText {

/// "COM1" to "COM<maxComPort>".
QStringList portNames(int maxComPort);
QStringList baudRates();
QStringList byteSizes();
QStringList parities();
QStringList stopBits();

quint32 baudRateFromText(QStringView text);   // other text: 0
QString textOfBaudRate(quint32 baudRate);     // other value: empty
quint8 byteSizeFromText(QStringView text);    // other text: 8
QString textOfByteSize(quint8 byteSize);      // other value: "8"
quint8 parityFromText(QStringView text);      // other text ("No Parity"): 0
QString textOfParity(quint8 parity);          // other value: "No"
quint8 stopBitsFromText(QStringView text);    // other text: 0
QString textOfStopBits(quint8 stopBits);      // other value: "1"

/// The number the leading decimal digits of the text form; 0 when there are
/// none. Saturates instead of overflowing.
int leadingNumber(QStringView text);
/// The number after the first three characters of a port name: COM12 gives 12.
int portNumber(QStringView portName);

}  // namespace PortSettingsText
