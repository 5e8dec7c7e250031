#include "settings/settingsstore.h"

#include <QStandardPaths>

#include "settings/rawiniformat.h"

namespace SettingsStore {

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Varn Technology/Vellmar.ini");
}

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("ini"), RawIniFormat::read, RawIniFormat::write);
    return registered;
}

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(filePath(), format());
}

}  // namespace SettingsStore
