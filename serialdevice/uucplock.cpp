#include "serialdevice/uucplock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <optional>

#include <signal.h>

namespace {

constexpr qint64 kLockFileMaxSize = 64;
constexpr qint64 kBinaryPidSize = 4;

/// Programs name the lock after the path they were given, after the device,
/// or after the path below /dev with '/' made '_' (pts/3 as pts_3).
QStringList lockNames(const QString& givenPath, const QString& devicePath)
{
    QStringList names{QFileInfo(givenPath).fileName(), QFileInfo(devicePath).fileName()};
    const QString dev = QStringLiteral("/dev/");
    if (devicePath.startsWith(dev))
        names << QString(devicePath.mid(dev.size())).replace(QLatin1Char('/'), QLatin1Char('_'));
    names.removeDuplicates();
    return names;
}

/// HDB style holds the process id as text; the older style as a 4-byte integer.
std::optional<pid_t> lockOwner(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = f.read(kLockFileMaxSize);
    bool ok = false;
    const int pid = content.trimmed().toInt(&ok);
    if (ok)
        return pid;
    if (content.size() == kBinaryPidSize) {
        qint32 binary = 0;
        std::memcpy(&binary, content.constData(), sizeof binary);
        return binary;
    }
    return std::nullopt;
}

bool processRuns(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

namespace UucpLock {

QStringList defaultDirectories()
{
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
}

bool heldByLiveProcess(const QString& givenPath, const QString& devicePath, const QStringList& directories)
{
    for (const QString& directory : directories) {
        for (const QString& name : lockNames(givenPath, devicePath)) {
            const auto owner = lockOwner(directory + QStringLiteral("/LCK..") + name);
            if (owner && processRuns(*owner))
                return true;
        }
    }
    return false;
}

}  // namespace UucpLock
