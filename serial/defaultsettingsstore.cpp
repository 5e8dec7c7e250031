#include "serial/defaultsettingsstore.h"

#include <QSettings>

#include <algorithm>

#include "serial/portsettingstext.h"

namespace {

const QString kGroup = QStringLiteral("Default Settings");

/// The values were read into 12-byte buffers with their terminating zero.
constexpr int kLongestValue = 11;

struct Value {
    const char* name;
    const char* defaultText;
};
enum ValueIndex { MaxComPort, DefaultComPort, BaudRate, ByteSize, Parity, StopBits };
constexpr Value kValues[] = {
    {"MaxComPort", "4"}, {"DefaultComPort", "COM1"}, {"BaudRate", "9600"},
    {"ByteSize", "8"},   {"Parity", "No Parity"},    {"StopBits", "1"},
};

QString readValue(QSettings& settings, const Value& value)
{
    const QString name = QString::fromLatin1(value.name);
    QString text = settings.value(name).toString();
    if (!settings.contains(name) || text.size() > kLongestValue) {
        text = QString::fromLatin1(value.defaultText);
        settings.setValue(name, text);
    }
    return text.trimmed();
}

void writeValue(QSettings& settings, ValueIndex index, const QString& text)
{
    settings.setValue(QString::fromLatin1(kValues[index].name), text);
}

}  // namespace

namespace DefaultSettingsStore {

DefaultPortSettings load(QSettings& settings)
{
    using namespace PortSettingsText;
    settings.beginGroup(kGroup);
    QString texts[std::size(kValues)];
    for (std::size_t i = 0; i < std::size(kValues); ++i)
        texts[i] = readValue(settings, kValues[i]);
    settings.endGroup();
    DefaultPortSettings loaded;
    // An edited file could ask for billions of ports; the dialogs list every one of them.
    loaded.maxComPort = std::clamp(leadingNumber(texts[MaxComPort]), kSmallestMaxComPort, kLargestMaxComPort);
    loaded.port.portName = texts[DefaultComPort];
    loaded.port.baudRate = baudRateFromText(texts[BaudRate]);
    loaded.port.byteSize = byteSizeFromText(texts[ByteSize]);
    loaded.port.parity = parityFromText(texts[Parity]);
    loaded.port.stopBits = stopBitsFromText(texts[StopBits]);
    return loaded;
}

void saveDefaults(QSettings& settings, const PortSettings& port)
{
    using namespace PortSettingsText;
    settings.beginGroup(kGroup);
    writeValue(settings, DefaultComPort, port.portName);
    writeValue(settings, BaudRate, textOfBaudRate(port.baudRate));
    writeValue(settings, ByteSize, textOfByteSize(port.byteSize));
    writeValue(settings, Parity, textOfParity(port.parity));
    writeValue(settings, StopBits, textOfStopBits(port.stopBits));
    settings.endGroup();
}

void saveMaxComPort(QSettings& settings, int maxComPort)
{
    settings.beginGroup(kGroup);
    writeValue(settings, MaxComPort, QString::number(maxComPort));
    settings.endGroup();
}

}  // namespace DefaultSettingsStore
