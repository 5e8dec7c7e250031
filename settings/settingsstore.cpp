#include "settings/settingsstore.h"

#include <QStandardPaths>

#include <cstdio>
#include <sys/stat.h>

#include "safewrite/systempath.h"
#include "settings/rawiniformat.h"

namespace SettingsStore {

namespace {

/// A missing file is made on the first write; anything but a regular file
/// (a FIFO would block the read for ever) is left alone.
bool isUsable(const QString& path)
{
    struct stat st {};
    return ::stat(SystemPath::encode(path).constData(), &st) != 0 || S_ISREG(st.st_mode);
}

}  // namespace

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
    const QString path = filePath();
    if (isUsable(path))
        return std::make_unique<QSettings>(path, format());
    static const bool told = [&path] {
        std::fprintf(stderr, "vellmar: the settings file %s is not a regular file; it is ignored and the defaults "
                             "are used\n", SystemPath::encode(path).constData());
        return true;
    }();
    Q_UNUSED(told);
    // A store with no file: values live as long as it does, nothing is read or written.
    return std::make_unique<QSettings>(QString(), format());
}

}  // namespace SettingsStore
