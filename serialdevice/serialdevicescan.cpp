#include "serialdevice/serialdevicescan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

/// serial_core's "type" of a UART slot with no chip in it.
const QByteArray kUnknownUartType = QByteArrayLiteral("0");

QString firstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

}  // namespace

SerialDeviceScan::SerialDeviceScan(QString devRoot, QString sysRoot)
    : m_devRoot(std::move(devRoot))
    , m_sysRoot(std::move(sysRoot))
{
}

QList<SerialDeviceEntry> SerialDeviceScan::devices() const
{
    QList<SerialDeviceEntry> found;
    const QDir byId(m_devRoot + QStringLiteral("/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        found.append({link.filePath(), usbDescription(link.filePath())});
    const QDir ttys(m_sysRoot + QStringLiteral("/class/tty"));
    for (const QString& name : ttys.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = m_devRoot + QLatin1Char('/') + name;
        if (hasHardware(name) && QFileInfo::exists(path))
            found.append({path, usbDescription(path)});
    }
    return found;
}

bool SerialDeviceScan::hasHardware(const QString& ttyName) const
{
    const QString sysTty = m_sysRoot + QStringLiteral("/class/tty/") + ttyName;
    if (!QFileInfo::exists(sysTty + QStringLiteral("/device")))
        return false;  // consoles and virtual terminals
    QFile type(sysTty + QStringLiteral("/type"));
    return !type.open(QIODevice::ReadOnly) || type.readAll().trimmed() != kUnknownUartType;
}

QString SerialDeviceScan::usbDescription(const QString& devicePath) const
{
    const QString resolved = QFileInfo(devicePath).canonicalFilePath();
    const QString name = QFileInfo(resolved.isEmpty() ? devicePath : resolved).fileName();
    const QString sysRoot = QFileInfo(m_sysRoot).canonicalFilePath();
    QString dir = QFileInfo(m_sysRoot + QStringLiteral("/class/tty/") + name + QStringLiteral("/device"))
                      .canonicalFilePath();
    // The tty's device is an interface of the USB device that holds the product strings.
    while (!sysRoot.isEmpty() && dir.startsWith(sysRoot + QLatin1Char('/'))) {
        const QString product = firstLine(dir + QStringLiteral("/product"));
        if (!product.isEmpty()) {
            const QString manufacturer = firstLine(dir + QStringLiteral("/manufacturer"));
            return manufacturer.isEmpty() ? product : manufacturer + QLatin1Char(' ') + product;
        }
        dir = QFileInfo(dir).path();
    }
    return {};
}
