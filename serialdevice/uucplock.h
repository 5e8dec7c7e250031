#pragma once

#include <QString>
#include <QStringList>

/// The UUCP lock files ("LCK..ttyUSB0") through which other serial programs
/// say that they hold a port.
namespace UucpLock {

QStringList defaultDirectories();
/// True when a lock file for the device names a process that still runs;
/// a stale file (its process gone) or an unreadable one does not count.
bool heldByLiveProcess(const QString& givenPath, const QString& devicePath,
                       const QStringList& directories = defaultDirectories());

}  // namespace UucpLock
