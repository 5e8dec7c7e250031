#pragma once

#include <QString>

/// The name of the group that owns a device file (dialout on Debian, uucp on
/// Arch), its number when the group has no name, or empty when the file
/// cannot be examined.
QString deviceGroupName(const QString& path);
