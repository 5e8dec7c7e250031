#include "serialdevice/serialcapabilities.h"

#include <QFileInfo>

using namespace CommProp;

namespace {

/// The kernel's first and last major numbers of pseudo-terminal slaves.
constexpr unsigned int kPtySlaveMajorFirst = 136;
constexpr unsigned int kPtySlaveMajorLast = 143;

const char* const kRs232Prefixes[] = {"ttyS", "ttyUSB", "ttyACM"};

struct BaudFlag {
    quint32 rate;
    quint32 flag;
};
constexpr BaudFlag kBaudFlags[] = {
    {75, BAUD_075},       {110, BAUD_110},     {134, BAUD_134_5},   {150, BAUD_150},     {300, BAUD_300},
    {600, BAUD_600},      {1200, BAUD_1200},   {1800, BAUD_1800},   {2400, BAUD_2400},   {4800, BAUD_4800},
    {7200, BAUD_7200},    {9600, BAUD_9600},   {14400, BAUD_14400}, {19200, BAUD_19200}, {38400, BAUD_38400},
    {56000, BAUD_56K},    {57600, BAUD_57600}, {115200, BAUD_115200}, {128000, BAUD_128K},
};

bool withinBase(quint32 rate, quint32 baudBase)
{
    return baudBase == 0 || rate <= baudBase;
}

quint32 settableBauds(quint32 baudBase)
{
    quint32 flags = BAUD_USER;  // any rate the UART's divisor reaches
    for (const BaudFlag& b : kBaudFlags) {
        if (withinBase(b.rate, baudBase))
            flags |= b.flag;
    }
    return flags;
}

/// The highest listed rate when the UART tops out within the list, else programmable.
quint32 maxBaud(quint32 baudBase)
{
    if (baudBase == 0 || baudBase > kBaudFlags[std::size(kBaudFlags) - 1].rate)
        return BAUD_USER;
    quint32 flag = 0;
    for (const BaudFlag& b : kBaudFlags) {
        if (b.rate <= baudBase)
            flag = b.flag;
    }
    return flag;
}

}  // namespace

SerialFacts::Kind SerialFacts::kindOf(const QString& devicePath, unsigned int major)
{
    if (major >= kPtySlaveMajorFirst && major <= kPtySlaveMajorLast)
        return Kind::PseudoTerminal;
    const QString name = QFileInfo(devicePath).fileName();
    for (const char* prefix : kRs232Prefixes) {
        if (name.startsWith(QLatin1String(prefix)))
            return Kind::Rs232;
    }
    return Kind::Other;
}

namespace SerialCapabilities {

CommProperties propertiesOf(const SerialFacts& facts)
{
    const bool pty = facts.kind == SerialFacts::Kind::PseudoTerminal;
    CommProperties p;
    p.currentTxQueue = facts.fifoSize;
    p.currentRxQueue = facts.fifoSize;
    p.provSubType = facts.kind == SerialFacts::Kind::Rs232 ? PST_RS232 : PST_UNSPECIFIED;
    p.maxBaud = maxBaud(facts.baudBase);
    p.settableBaud = settableBauds(facts.baudBase);
    p.provCapabilities = PCF_TOTALTIMEOUTS | PCF_XONXOFF | PCF_SETXCHAR;
    p.settableParams = SP_BAUD | SP_STOPBITS;
    if (pty) {
        p.settableData = DATABITS_8;
        p.settableStopParity = STOPBITS_10 | STOPBITS_20 | PARITY_NONE;
    } else {
        p.provCapabilities |= PCF_PARITY_CHECK;
        p.settableParams |= SP_DATABITS | SP_PARITY | SP_PARITY_CHECK;
        p.settableData = DATABITS_5 | DATABITS_6 | DATABITS_7 | DATABITS_8;
        p.settableStopParity = STOPBITS_10 | STOPBITS_15 | STOPBITS_20 | PARITY_NONE | PARITY_ODD | PARITY_EVEN
                               | PARITY_MARK | PARITY_SPACE;
    }
    if (facts.modemLines) {
        p.provCapabilities |= PCF_RTSCTS | PCF_RLSD;
        p.settableParams |= SP_HANDSHAKING | SP_RLSD;
    }
    return p;
}

}  // namespace SerialCapabilities
