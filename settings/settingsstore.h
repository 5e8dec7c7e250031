#pragma once

#include <QSettings>
#include <QString>

#include <memory>

/// The per-user settings file: an INI file under the user's configuration
/// folder ("Varn Technology/Vellmar.ini"), holding the recent-file list and the
/// default port settings. Tests enable QStandardPaths' test mode, which moves
/// it to a private folder.
namespace SettingsStore {

QString filePath();
/// INI with every value read and written as its raw text (RawIniFormat).
QSettings::Format format();
/// The store on the file; when the file is there but is not a regular file
/// (a FIFO, a device), a store that neither reads nor writes it, said once on
/// standard error.
std::unique_ptr<QSettings> open();

}  // namespace SettingsStore
