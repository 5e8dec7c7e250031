#include "serial/driverinfolines.h"

#include <gtest/gtest.h>

#include "serialdevice/serialcapabilities.h"
#include "support/qstringprint.h"

using namespace CommProp;

namespace {

constexpr quint32 kTenBauds = BAUD_075 | BAUD_110 | BAUD_134_5 | BAUD_150 | BAUD_300 | BAUD_600 | BAUD_1200
                              | BAUD_1800 | BAUD_2400 | BAUD_4800;
constexpr quint32 kFiveCapabilities = PCF_DTRDSR | PCF_RTSCTS | PCF_RLSD | PCF_PARITY_CHECK | PCF_XONXOFF;

CommProperties typicalRs232()
{
    CommProperties p;
    p.maxRxQueue = 4096;
    p.currentRxQueue = 16;
    p.maxBaud = BAUD_115200;
    p.provSubType = PST_RS232;
    p.provCapabilities = kFiveCapabilities | PCF_TOTALTIMEOUTS;
    p.settableParams = SP_BAUD | SP_DATABITS | SP_PARITY | SP_STOPBITS;
    p.settableBaud = kTenBauds | BAUD_9600 | BAUD_115200;
    p.settableData = DATABITS_7 | DATABITS_8;
    p.settableStopParity = STOPBITS_10 | STOPBITS_20 | PARITY_NONE | PARITY_EVEN;
    return p;
}

}  // namespace

TEST(DriverInfoLines, TypicalRs232DriverInDialogOrder)
{
    const QStringList expected{
        "Max output buffer size (in bytes):  No maximum value is imposed by the comm driver",
        "Max input buffer size (in bytes): 4096  (0x1000)",
        "Current output buffer size (in bytes):  Not available",
        "Current input buffer size (in bytes): 16  (0x10)",
        "Max baud rate (bps):  115200",
        "Communications provider type:  RS-232 serial port",
        "Provider capabilities:  DTR/DSR, Parity checking, RLSD, RTS/CTS, Total time-outs,",
        "   XON/XOFF flow control",
        "Settable params:  Baud rate, Data bits, Parity, Stop bits",
        "Settable data bits:  7, 8",
        "Settable stop bits and parity settings:  1, 2,    No, Even",
        "Settable baud rates (bps):  75, 110, 135.5, 150, 300, 600, 1200, 1800, 2400, 4800,",
        "   9600, 115200",
    };
    EXPECT_EQ(DriverInfoLines::of(typicalRs232()).inDialogOrder(), expected);
}

TEST(DriverInfoLines, EmptyRecordShowsTheNotAvailableTexts)
{
    const DriverInfoLines lines = DriverInfoLines::of(CommProperties{});
    EXPECT_EQ(lines.maxBaudRate, QStringLiteral("Max baud rate (bps):  Not Available"));
    EXPECT_EQ(lines.providerType, QStringLiteral("Communications provider type:  Unspecified"));
    EXPECT_EQ(lines.capabilities, QStringLiteral("Provider capabilities:  Not available"));
    EXPECT_EQ(lines.capabilitiesContinued, QString());
    EXPECT_EQ(lines.settableBaudRates, QStringLiteral("Settable baud rates (bps):  Not available"));
    // The blanks between the two lists are always there: the label and two spaces.
    EXPECT_EQ(lines.settableStopBitsAndParity, QStringLiteral("Settable stop bits and parity settings:   "));
}

TEST(DriverInfoLines, ListSplitsAtTheirLineLimits)
{
    struct Case {
        const char* what;
        quint32 baud;
        quint32 capabilities;
        const char* first;
        const char* second;
        bool baudLines;
    };
    const Case cases[] = {
        {"programmable after the 128K rate", kTenBauds | BAUD_128K | BAUD_USER, 0,
         "Settable baud rates (bps):  75, 110, 135.5, 150, 300, 600, 1200, 1800, 2400, 4800,", "   128K, Programmable",
         true},
        {"exactly five capabilities", 0, kFiveCapabilities,
         "Provider capabilities:  DTR/DSR, Parity checking, RLSD, RTS/CTS, XON/XOFF flow control", "", false},
    };
    for (const Case& c : cases) {
        CommProperties p;
        p.settableBaud = c.baud;
        p.provCapabilities = c.capabilities;
        const DriverInfoLines lines = DriverInfoLines::of(p);
        EXPECT_EQ(c.baudLines ? lines.settableBaudRates : lines.capabilities, QString::fromLatin1(c.first)) << c.what;
        EXPECT_EQ(c.baudLines ? lines.settableBaudRatesContinued : lines.capabilitiesContinued,
                  QString::fromLatin1(c.second))
            << c.what;
    }
}

TEST(DriverInfoLines, SingleLineEntries)
{
    struct Case {
        CommProperties properties;
        QString DriverInfoLines::*line;
        const char* expected;
    };
    const auto with = [](auto field, auto value) {
        CommProperties p;
        p.*field = value;
        return p;
    };
    const Case cases[] = {
        {with(&CommProperties::maxTxQueue, 65535u), &DriverInfoLines::maxOutputBuffer,
         "Max output buffer size (in bytes): 65535  (0xFFFF)"},
        {with(&CommProperties::settableData, quint16(DATABITS_16 | DATABITS_16X)), &DriverInfoLines::settableDataBits,
         "Settable data bits:  16, Special wide path"},
        {with(&CommProperties::provSubType, 0x999u), &DriverInfoLines::providerType,
         "Communications provider type:  Unspecified"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriverInfoLines::of(c.properties).*c.line, QString::fromLatin1(c.expected));
}

TEST(SerialCapabilities, PseudoTerminalHasEightBitsNoParityAndNoModemLines)
{
    SerialFacts facts;
    facts.kind = SerialFacts::Kind::PseudoTerminal;
    const DriverInfoLines lines = DriverInfoLines::of(SerialCapabilities::propertiesOf(facts));
    EXPECT_EQ(lines.providerType, QStringLiteral("Communications provider type:  Unspecified"));
    EXPECT_EQ(lines.settableDataBits, QStringLiteral("Settable data bits:  8"));
    EXPECT_EQ(lines.settableStopBitsAndParity, QStringLiteral("Settable stop bits and parity settings:  1, 2,    No"));
    EXPECT_EQ(lines.capabilities, QStringLiteral("Provider capabilities:  Settable XON/XOFF, Total time-outs, "
                                                 "XON/XOFF flow control"));
    EXPECT_EQ(lines.settableParams, QStringLiteral("Settable params:  Baud rate, Stop bits"));
    EXPECT_EQ(lines.maxBaudRate, QStringLiteral("Max baud rate (bps):  Programmable"));
    EXPECT_EQ(lines.currentInputBuffer, QStringLiteral("Current input buffer size (in bytes):  Not available"));
}

TEST(SerialCapabilities, UartWithModemLinesTopsOutAtItsBaudBase)
{
    SerialFacts facts;
    facts.kind = SerialFacts::Kind::Rs232;
    facts.modemLines = true;
    facts.baudBase = 115200;
    facts.fifoSize = 16;
    const CommProperties p = SerialCapabilities::propertiesOf(facts);
    EXPECT_EQ(p.maxBaud, BAUD_115200);
    EXPECT_TRUE(p.settableBaud & BAUD_USER);
    EXPECT_FALSE(p.settableBaud & BAUD_128K);
    EXPECT_EQ(p.settableData, DATABITS_5 | DATABITS_6 | DATABITS_7 | DATABITS_8);
    const DriverInfoLines lines = DriverInfoLines::of(p);
    EXPECT_EQ(lines.providerType, QStringLiteral("Communications provider type:  RS-232 serial port"));
    EXPECT_EQ(lines.capabilities, QStringLiteral("Provider capabilities:  Parity checking, RLSD, RTS/CTS, "
                                                 "Settable XON/XOFF, Total time-outs,"));
    EXPECT_EQ(lines.capabilitiesContinued, QStringLiteral("   XON/XOFF flow control"));
    EXPECT_EQ(lines.settableStopBitsAndParity,
              QStringLiteral("Settable stop bits and parity settings:  1, 1.5, 2,    No, Odd, Even, Mark, Space"));
    EXPECT_EQ(lines.currentOutputBuffer, QStringLiteral("Current output buffer size (in bytes): 16  (0x10)"));
}

TEST(SerialCapabilities, KindComesFromNameAndMajorNumber)
{
    using Kind = SerialFacts::Kind;
    const std::tuple<const char*, unsigned int, Kind> cases[] = {
        {"/dev/ttyS0", 4, Kind::Rs232},           {"/dev/ttyUSB0", 188, Kind::Rs232},
        {"/dev/pts/3", 136, Kind::PseudoTerminal}, {"/dev/pts/300", 143, Kind::PseudoTerminal},
        {"/dev/rfcomm0", 216, Kind::Other},
    };
    for (const auto& [path, major, kind] : cases)
        EXPECT_EQ(SerialFacts::kindOf(QString::fromLatin1(path), major), kind) << path;
}
