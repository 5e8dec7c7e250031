#pragma once

#include <QString>
#include <QStringList>

#include "serialdevice/commproperties.h"

/// The thirteen lines of the driver information report, decoded from the
/// driver's properties record into words.
struct DriverInfoLines {
    QString maxOutputBuffer;
    QString maxInputBuffer;
    QString currentOutputBuffer;
    QString currentInputBuffer;
    QString maxBaudRate;
    QString providerType;
    QString capabilities;
    QString capabilitiesContinued;
    QString settableParams;
    QString settableDataBits;
    QString settableStopBitsAndParity;
    QString settableBaudRates;
    QString settableBaudRatesContinued;

    static DriverInfoLines of(const CommProperties& properties);
    /// The lines top to bottom as the dialog shows them.
    QStringList inDialogOrder() const;
};
