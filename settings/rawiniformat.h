#pragma once

#include <QSettings>

class QIODevice;

/// The settings file's INI syntax with every value kept as the text it is.
/// Qt's own INI format reads "1,2,3" as a list and writes it back as
/// "1, 2, 3"; here a value is everything after the first '=' of its line, so a
/// hand-edited value is judged, and written back, exactly as typed.
/// Lines starting with ';' or '#' are comments. Values keep their bytes
/// (SystemPath), so a recent file whose name is not UTF-8 names it still.
namespace RawIniFormat {

bool read(QIODevice& device, QSettings::SettingsMap& map);
bool write(QIODevice& device, const QSettings::SettingsMap& map);

}  // namespace RawIniFormat
