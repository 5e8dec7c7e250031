#include "serial/portsettingstext.h"

#include <limits>
#include <span>

namespace {

struct TextValue {
    const char* text;
    quint32 value;
};

constexpr TextValue kBaudRates[] = {
    {"110", 110},     {"300", 300},       {"600", 600},       {"1200", 1200},     {"2400", 2400},
    {"4800", 4800},   {"9600", 9600},     {"14400", 14400},   {"19200", 19200},   {"38400", 38400},
    {"56000", 56000}, {"57600", 57600},   {"115200", 115200}, {"128000", 128000}, {"256000", 256000},
};
constexpr TextValue kByteSizes[] = {{"4", 4}, {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}};
constexpr TextValue kParities[] = {{"No", 0}, {"Odd", 1}, {"Even", 2}, {"Mark", 3}, {"Space", 4}};
constexpr TextValue kStopBits[] = {{"1", 0}, {"1.5", 1}, {"2", 2}};

constexpr quint32 kDefaultByteSize = 8;
constexpr int kPrefixLength = 3;  // "COM"

QStringList textsOf(std::span<const TextValue> table)
{
    QStringList texts;
    for (const TextValue& entry : table)
        texts << QString::fromLatin1(entry.text);
    return texts;
}

quint32 valueOf(std::span<const TextValue> table, QStringView text, quint32 fallback)
{
    for (const TextValue& entry : table) {
        if (text == QLatin1String(entry.text))
            return entry.value;
    }
    return fallback;
}

QString textOf(std::span<const TextValue> table, quint32 value, const char* fallback)
{
    for (const TextValue& entry : table) {
        if (entry.value == value)
            return QString::fromLatin1(entry.text);
    }
    return QString::fromLatin1(fallback);
}

}  // namespace

namespace PortSettingsText {

QStringList portNames(int maxComPort)
{
    QStringList names;
    for (int number = 1; number <= maxComPort; ++number)
        names << QStringLiteral("COM%1").arg(number);
    return names;
}

QStringList baudRates() { return textsOf(kBaudRates); }
QStringList byteSizes() { return textsOf(kByteSizes); }
QStringList parities() { return textsOf(kParities); }
QStringList stopBits() { return textsOf(kStopBits); }

quint32 baudRateFromText(QStringView text) { return valueOf(kBaudRates, text, 0); }
QString textOfBaudRate(quint32 baudRate) { return textOf(kBaudRates, baudRate, ""); }

quint8 byteSizeFromText(QStringView text) { return quint8(valueOf(kByteSizes, text, kDefaultByteSize)); }
QString textOfByteSize(quint8 byteSize) { return textOf(kByteSizes, byteSize, "8"); }

quint8 parityFromText(QStringView text) { return quint8(valueOf(kParities, text, 0)); }
QString textOfParity(quint8 parity) { return textOf(kParities, parity, "No"); }

quint8 stopBitsFromText(QStringView text) { return quint8(valueOf(kStopBits, text, 0)); }
QString textOfStopBits(quint8 stopBits) { return textOf(kStopBits, stopBits, "1"); }

int leadingNumber(QStringView text)
{
    qint64 number = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        number = std::min<qint64>(number * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return int(number);
}

int portNumber(QStringView portName)
{
    return portName.size() > kPrefixLength ? leadingNumber(portName.mid(kPrefixLength)) : 0;
}

}  // namespace PortSettingsText
