#pragma once

#include <QList>
#include <QString>

/// A serial device found on the machine, with the USB description of the
/// adapter behind it where the kernel gives one.
struct SerialDeviceEntry {
    QString path;
    QString description;

    bool operator==(const SerialDeviceEntry&) const = default;
};

/// Finds the serial devices of the machine by reading /dev and /sys.
class SerialDeviceScan {
public:
    explicit SerialDeviceScan(QString devRoot = QStringLiteral("/dev"), QString sysRoot = QStringLiteral("/sys"));

    /// The stable /dev/serial/by-id names first, then the kernel's names of
    /// the ttys that have hardware behind them, each sorted by name.
    QList<SerialDeviceEntry> devices() const;
    /// "manufacturer product" of the USB device behind a device path, or empty.
    QString usbDescription(const QString& devicePath) const;

private:
    bool hasHardware(const QString& ttyName) const;

    QString m_devRoot;
    QString m_sysRoot;
};
