#pragma once

#include <QtGlobal>

/// What a serial driver says it can do, in the fields and flag values of the
/// Windows communications-properties record the report decodes.
struct CommProperties {
    quint32 maxTxQueue = 0;
    quint32 maxRxQueue = 0;
    quint32 maxBaud = 0;
    quint32 provSubType = 0;
    quint32 provCapabilities = 0;
    quint32 settableParams = 0;
    quint32 settableBaud = 0;
    quint16 settableData = 0;
    quint16 settableStopParity = 0;
    quint32 currentTxQueue = 0;
    quint32 currentRxQueue = 0;
};

/// The published flag values of the record's fields.
namespace CommProp {

constexpr quint32 BAUD_075 = 0x00000001;
constexpr quint32 BAUD_110 = 0x00000002;
constexpr quint32 BAUD_134_5 = 0x00000004;
constexpr quint32 BAUD_150 = 0x00000008;
constexpr quint32 BAUD_300 = 0x00000010;
constexpr quint32 BAUD_600 = 0x00000020;
constexpr quint32 BAUD_1200 = 0x00000040;
constexpr quint32 BAUD_1800 = 0x00000080;
constexpr quint32 BAUD_2400 = 0x00000100;
constexpr quint32 BAUD_4800 = 0x00000200;
constexpr quint32 BAUD_7200 = 0x00000400;
constexpr quint32 BAUD_9600 = 0x00000800;
constexpr quint32 BAUD_14400 = 0x00001000;
constexpr quint32 BAUD_19200 = 0x00002000;
constexpr quint32 BAUD_38400 = 0x00004000;
constexpr quint32 BAUD_56K = 0x00008000;
constexpr quint32 BAUD_128K = 0x00010000;
constexpr quint32 BAUD_115200 = 0x00020000;
constexpr quint32 BAUD_57600 = 0x00040000;
constexpr quint32 BAUD_USER = 0x10000000;

constexpr quint32 PST_UNSPECIFIED = 0x00000000;
constexpr quint32 PST_RS232 = 0x00000001;
constexpr quint32 PST_PARALLELPORT = 0x00000002;
constexpr quint32 PST_RS422 = 0x00000003;
constexpr quint32 PST_RS423 = 0x00000004;
constexpr quint32 PST_RS449 = 0x00000005;
constexpr quint32 PST_MODEM = 0x00000006;
constexpr quint32 PST_FAX = 0x00000021;
constexpr quint32 PST_SCANNER = 0x00000022;
constexpr quint32 PST_NETWORK_BRIDGE = 0x00000100;
constexpr quint32 PST_LAT = 0x00000101;
constexpr quint32 PST_TCPIP_TELNET = 0x00000102;
constexpr quint32 PST_X25 = 0x00000103;

constexpr quint32 PCF_DTRDSR = 0x0001;
constexpr quint32 PCF_RTSCTS = 0x0002;
constexpr quint32 PCF_RLSD = 0x0004;
constexpr quint32 PCF_PARITY_CHECK = 0x0008;
constexpr quint32 PCF_XONXOFF = 0x0010;
constexpr quint32 PCF_SETXCHAR = 0x0020;
constexpr quint32 PCF_TOTALTIMEOUTS = 0x0040;
constexpr quint32 PCF_INTTIMEOUTS = 0x0080;
constexpr quint32 PCF_SPECIALCHARS = 0x0100;
constexpr quint32 PCF_16BITMODE = 0x0200;

constexpr quint32 SP_PARITY = 0x0001;
constexpr quint32 SP_BAUD = 0x0002;
constexpr quint32 SP_DATABITS = 0x0004;
constexpr quint32 SP_STOPBITS = 0x0008;
constexpr quint32 SP_HANDSHAKING = 0x0010;
constexpr quint32 SP_PARITY_CHECK = 0x0020;
constexpr quint32 SP_RLSD = 0x0040;

constexpr quint16 DATABITS_5 = 0x0001;
constexpr quint16 DATABITS_6 = 0x0002;
constexpr quint16 DATABITS_7 = 0x0004;
constexpr quint16 DATABITS_8 = 0x0008;
constexpr quint16 DATABITS_16 = 0x0010;
constexpr quint16 DATABITS_16X = 0x0020;

constexpr quint16 STOPBITS_10 = 0x0001;
constexpr quint16 STOPBITS_15 = 0x0002;
constexpr quint16 STOPBITS_20 = 0x0004;
constexpr quint16 PARITY_NONE = 0x0100;
constexpr quint16 PARITY_ODD = 0x0200;
constexpr quint16 PARITY_EVEN = 0x0400;
constexpr quint16 PARITY_MARK = 0x0800;
constexpr quint16 PARITY_SPACE = 0x1000;

}  // namespace CommProp
