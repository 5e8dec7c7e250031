#include "settings/settingsstore.h"

#include <QStandardPaths>

namespace SettingsStore {

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Varn Technology/Vellmar.ini");
}

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
}

}  // namespace SettingsStore
