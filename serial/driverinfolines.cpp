#include "serial/driverinfolines.h"

#include <span>
#include <utility>

using namespace CommProp;

namespace {

struct FlagText {
    quint32 flag;
    const char* text;
};

constexpr FlagText kBaudItems[] = {
    {BAUD_075, " 75,"},       {BAUD_110, " 110,"},     {BAUD_134_5, " 135.5,"},   {BAUD_150, " 150,"},
    {BAUD_300, " 300,"},      {BAUD_600, " 600,"},     {BAUD_1200, " 1200,"},     {BAUD_1800, " 1800,"},
    {BAUD_2400, " 2400,"},    {BAUD_4800, " 4800,"},   {BAUD_7200, " 7200,"},     {BAUD_9600, " 9600,"},
    {BAUD_14400, " 14400,"},  {BAUD_19200, " 19200,"}, {BAUD_38400, " 38400,"},   {BAUD_56K, " 56K,"},
    {BAUD_57600, " 57600,"},  {BAUD_115200, " 115200,"}, {BAUD_128K, " 128K,"}, {BAUD_USER, " Programmable,"},
};

constexpr FlagText kCapabilityItems[] = {
    {PCF_16BITMODE, " 16-bit mode,"},      {PCF_DTRDSR, " DTR/DSR,"},
    {PCF_INTTIMEOUTS, " Interval time-outs,"}, {PCF_PARITY_CHECK, " Parity checking,"},
    {PCF_RLSD, " RLSD,"},                  {PCF_RTSCTS, " RTS/CTS,"},
    {PCF_SETXCHAR, " Settable XON/XOFF,"}, {PCF_SPECIALCHARS, " Special chars,"},
    {PCF_TOTALTIMEOUTS, " Total time-outs,"}, {PCF_XONXOFF, " XON/XOFF flow control,"},
};

constexpr FlagText kParamItems[] = {
    {SP_BAUD, " Baud rate,"}, {SP_DATABITS, " Data bits,"}, {SP_HANDSHAKING, " Handshaking,"},
    {SP_PARITY, " Parity,"},  {SP_PARITY_CHECK, " Parity checking,"}, {SP_RLSD, " RLSD,"},
    {SP_STOPBITS, " Stop bits,"},
};

constexpr FlagText kDataBitsItems[] = {
    {DATABITS_5, " 5,"},   {DATABITS_6, " 6,"},   {DATABITS_7, " 7,"},
    {DATABITS_8, " 8,"},   {DATABITS_16, " 16,"}, {DATABITS_16X, " Special wide path,"},
};

constexpr FlagText kStopBitsItems[] = {{STOPBITS_10, " 1,"}, {STOPBITS_15, " 1.5,"}, {STOPBITS_20, " 2,"}};
constexpr FlagText kParityItems[] = {
    {PARITY_NONE, " No,"}, {PARITY_ODD, " Odd,"}, {PARITY_EVEN, " Even,"}, {PARITY_MARK, " Mark,"}, {PARITY_SPACE, " Space,"},
};

constexpr FlagText kProviderTypes[] = {
    {PST_FAX, "FAX device"},
    {PST_LAT, "LAT protocol"},
    {PST_MODEM, "Modem device"},
    {PST_NETWORK_BRIDGE, "Unspecified network bridge"},
    {PST_PARALLELPORT, "Parallel port"},
    {PST_RS232, "RS-232 serial port"},
    {PST_RS422, "RS-422 port"},
    {PST_RS423, "RS-423 port"},
    {PST_RS449, "RS-449 port"},
    {PST_SCANNER, "Scanner device"},
    {PST_TCPIP_TELNET, "TCP/IP Telnet protocol"},
};

constexpr int kCapabilitiesOnFirstLine = 5;
constexpr int kBaudRatesOnFirstLine = 10;

QStringList itemsOf(std::span<const FlagText> table, quint32 value)
{
    QStringList items;
    for (const FlagText& entry : table) {
        if (value & entry.flag)
            items << QString::fromLatin1(entry.text);
    }
    return items;
}

/// Every list ends in a comma (or in the blanks of the stop-bits line); the last character goes.
QString withoutLast(const QString& list)
{
    return list.left(list.size() - 1);
}

QString singleLine(const char* label, const QStringList& items, const char* emptyText)
{
    return items.isEmpty() ? QString::fromLatin1(emptyText) : QLatin1String(label) + withoutLast(items.join(QString()));
}

std::pair<QString, QString> twoLines(const char* label, const QStringList& items, int firstCount,
                                     const char* emptyText)
{
    if (items.size() <= firstCount)
        return {singleLine(label, items, emptyText), QString()};
    return {QLatin1String(label) + items.mid(0, firstCount).join(QString()),
            QStringLiteral("  ") + withoutLast(items.mid(firstCount).join(QString()))};
}

QString sizeLine(const char* label, quint32 value, const char* zeroText)
{
    if (value == 0)
        return QString::fromLatin1(zeroText);
    return QLatin1String(label) + QString::number(value) + QStringLiteral("  (0x")
           + QString::number(value, 16).toUpper() + QLatin1Char(')');
}

QString providerName(quint32 subType)
{
    for (const FlagText& entry : kProviderTypes) {
        if (entry.flag == subType)
            return QString::fromLatin1(entry.text);
    }
    return QStringLiteral("Unspecified");
}

}  // namespace

DriverInfoLines DriverInfoLines::of(const CommProperties& p)
{
    DriverInfoLines lines;
    lines.maxOutputBuffer = sizeLine("Max output buffer size (in bytes): ", p.maxTxQueue,
                                     "Max output buffer size (in bytes):  No maximum value is imposed by the comm driver");
    lines.maxInputBuffer = sizeLine("Max input buffer size (in bytes): ", p.maxRxQueue,
                                    "Max input buffer size (in bytes):  No maximum value is imposed by the comm driver");
    lines.currentOutputBuffer = sizeLine("Current output buffer size (in bytes): ", p.currentTxQueue,
                                         "Current output buffer size (in bytes):  Not available");
    lines.currentInputBuffer = sizeLine("Current input buffer size (in bytes): ", p.currentRxQueue,
                                        "Current input buffer size (in bytes):  Not available");
    lines.maxBaudRate =
        singleLine("Max baud rate (bps): ", itemsOf(kBaudItems, p.maxBaud), "Max baud rate (bps):  Not Available");
    lines.providerType = QStringLiteral("Communications provider type:  ") + providerName(p.provSubType);
    std::tie(lines.capabilities, lines.capabilitiesContinued) =
        twoLines("Provider capabilities: ", itemsOf(kCapabilityItems, p.provCapabilities), kCapabilitiesOnFirstLine,
                 "Provider capabilities:  Not available");
    lines.settableParams = singleLine("Settable params: ", itemsOf(kParamItems, p.settableParams),
                                      "Settable params:  Not available");
    lines.settableDataBits = singleLine("Settable data bits: ", itemsOf(kDataBitsItems, p.settableData),
                                        "Settable data bits:  Not available");
    // The blanks between stop bits and parities are always there, so this line is never "Not available".
    lines.settableStopBitsAndParity =
        singleLine("Settable stop bits and parity settings: ",
                   itemsOf(kStopBitsItems, p.settableStopParity) + QStringList{QStringLiteral("   ")}
                       + itemsOf(kParityItems, p.settableStopParity),
                   "");
    std::tie(lines.settableBaudRates, lines.settableBaudRatesContinued) =
        twoLines("Settable baud rates (bps): ", itemsOf(kBaudItems, p.settableBaud), kBaudRatesOnFirstLine,
                 "Settable baud rates (bps):  Not available");
    return lines;
}

QStringList DriverInfoLines::inDialogOrder() const
{
    return {maxOutputBuffer, maxInputBuffer,   currentOutputBuffer, currentInputBuffer,        maxBaudRate,
            providerType,    capabilities,     capabilitiesContinued, settableParams,          settableDataBits,
            settableStopBitsAndParity, settableBaudRates, settableBaudRatesContinued};
}
