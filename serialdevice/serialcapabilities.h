#pragma once

#include <QString>

#include "serialdevice/commproperties.h"

/// What the tty layer tells of a device, and the driver properties record
/// that follows from it.
struct SerialFacts {
    enum class Kind { Rs232, PseudoTerminal, Other };

    Kind kind = Kind::Other;
    bool modemLines = false;  // TIOCMGET answers
    quint32 baudBase = 0;     // the UART's highest rate, 0 when the driver does not say
    quint32 fifoSize = 0;     // the UART's FIFO, 0 when the driver does not say

    /// The kind by the device's name and character-device major number.
    static Kind kindOf(const QString& devicePath, unsigned int major);
};

namespace SerialCapabilities {

/// Every baud rate and data width can be set through termios except where
/// the tty layer fixes it: a pseudo-terminal always has 8 bits and no parity.
CommProperties propertiesOf(const SerialFacts& facts);

}  // namespace SerialCapabilities
