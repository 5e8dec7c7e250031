#include "serial/driverinfolines.h"

#include <gtest/gtest.h>

#include "serialdevice/serialcapabilities.h"
#include "support/qstringprint.h"

using namespace CommProp;

namespace {

constexpr quint32 kTenBauds = BAUD_075 | BAUD_110 | BAUD_134_5 | BAUD_150 | BAUD_300 | BAUD_600 | BAUD_1200
                              | BAUD_1800 | BAUD_2400 | BAUD_4800;
constexpr quint32 kFiveCapabilities = PCF_DTRDSR | PCF_RTSCTS | PCF_RLSD | PCF_PARITY_CHECK | PCF_XONXOFF;

}  // namespace

TEST(DriverInfoLines, TypicalRs232DriverInDialogOrder)
{
    CommProperties p;
    p.maxRxQueue = 4095;
    p.currentRxQueue = 16;
    p.maxBaud = BAUD_115200;
    p.provSubType = PST_RS232;
    p.provCapabilities = kFiveCapabilities | PCF_TOTALTIMEOUTS;
    p.settableParams = SP_BAUD | SP_DATABITS | SP_PARITY | SP_STOPBITS;
    p.settableBaud = kTenBauds | BAUD_9600 | BAUD_115200;
    p.settableData = DATABITS_7 | DATABITS_8;
    p.settableStopParity = STOPBITS_10 | STOPBITS_20 | PARITY_NONE | PARITY_EVEN;
    EXPECT_EQ(DriverInfoLines::of(p).inDialogOrder(),
              (QStringList{"Max output buffer size (in bytes):  No maximum value is imposed by the comm driver",
                           "Max input buffer size (in bytes): 4095  (0xFFF)",
                           "Current output buffer size (in bytes):  Not available",
                           "Current input buffer size (in bytes): 16  (0x10)", "Max baud rate (bps):  115200",
                           "Communications provider type:  RS-232 serial port",
                           "Provider capabilities:  DTR/DSR, Parity checking, RLSD, RTS/CTS, Total time-outs,",
                           "   XON/XOFF flow control", "Settable params:  Baud rate, Data bits, Parity, Stop bits",
                           "Settable data bits:  7, 8", "Settable stop bits and parity settings:  1, 2,    No, Even",
                           "Settable baud rates (bps):  75, 110, 135.5, 150, 300, 600, 1200, 1800, 2400, 4800,",
                           "   9600, 115200"}));
}

// One line per case: what an empty record shows, where the lists split, the rarer entries.
TEST(DriverInfoLines, SingleEntries)
{
    const auto with = [](auto field, auto value) {
        CommProperties p;
        p.*field = value;
        return p;
    };
    const struct {
        CommProperties properties;
        QString DriverInfoLines::*line;
        const char* expected;
    } cases[] = {
        {{}, &DriverInfoLines::maxBaudRate, "Max baud rate (bps):  Not Available"},
        {{}, &DriverInfoLines::capabilities, "Provider capabilities:  Not available"},
        {{}, &DriverInfoLines::settableBaudRates, "Settable baud rates (bps):  Not available"},
        // The blanks between the two lists are always there: the label and two spaces.
        {{}, &DriverInfoLines::settableStopBitsAndParity, "Settable stop bits and parity settings:   "},
        {with(&CommProperties::settableBaud, kTenBauds | BAUD_128K | BAUD_USER),
         &DriverInfoLines::settableBaudRatesContinued, "   128K, Programmable"},
        {with(&CommProperties::provCapabilities, kFiveCapabilities), &DriverInfoLines::capabilities,
         "Provider capabilities:  DTR/DSR, Parity checking, RLSD, RTS/CTS, XON/XOFF flow control"},
        {with(&CommProperties::provCapabilities, kFiveCapabilities), &DriverInfoLines::capabilitiesContinued, ""},
        {with(&CommProperties::settableData, quint16(DATABITS_16 | DATABITS_16X)), &DriverInfoLines::settableDataBits,
         "Settable data bits:  16, Special wide path"},
        {with(&CommProperties::provSubType, 0x999u), &DriverInfoLines::providerType,
         "Communications provider type:  Unspecified"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriverInfoLines::of(c.properties).*c.line, QString::fromLatin1(c.expected));
}

// A pseudo-terminal: eight bits, no parity, no modem lines; a UART with them tops out at its baud base.
TEST(SerialCapabilities, PropertiesFollowTheKindOfDevice)
{
    SerialFacts facts;
    facts.kind = SerialFacts::Kind::PseudoTerminal;
    const DriverInfoLines pty = DriverInfoLines::of(SerialCapabilities::propertiesOf(facts));
    EXPECT_EQ(pty.settableStopBitsAndParity, QStringLiteral("Settable stop bits and parity settings:  1, 2,    No"));
    EXPECT_EQ(pty.capabilities,
              QStringLiteral("Provider capabilities:  Settable XON/XOFF, Total time-outs, XON/XOFF flow control"));
    EXPECT_EQ(pty.maxBaudRate, QStringLiteral("Max baud rate (bps):  Programmable"));
    facts = {};
    facts.kind = SerialFacts::Kind::Rs232;
    facts.modemLines = true;
    facts.baudBase = 115200;
    facts.fifoSize = 16;
    const CommProperties p = SerialCapabilities::propertiesOf(facts);
    EXPECT_EQ(p.maxBaud, BAUD_115200);
    EXPECT_TRUE((p.settableBaud & BAUD_USER) && !(p.settableBaud & BAUD_128K));
    const DriverInfoLines uart = DriverInfoLines::of(p);
    EXPECT_EQ(uart.settableDataBits, QStringLiteral("Settable data bits:  5, 6, 7, 8"));
    EXPECT_EQ(uart.settableStopBitsAndParity,
              QStringLiteral("Settable stop bits and parity settings:  1, 1.5, 2,    No, Odd, Even, Mark, Space"));
    EXPECT_EQ(uart.currentOutputBuffer, QStringLiteral("Current output buffer size (in bytes): 16  (0x10)"));
    using Kind = SerialFacts::Kind;
    const std::tuple<const char*, unsigned int, Kind> kinds[] = {
        {"/dev/ttyS0", 4, Kind::Rs232}, {"/dev/ttyUSB0", 188, Kind::Rs232}, {"/dev/pts/3", 136, Kind::PseudoTerminal},
        {"/dev/pts/300", 143, Kind::PseudoTerminal}, {"/dev/rfcomm0", 216, Kind::Other}};
    for (const auto& [path, major, kind] : kinds)
        EXPECT_EQ(SerialFacts::kindOf(QString::fromLatin1(path), major), kind) << path;
}
