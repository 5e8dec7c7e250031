#pragma once

#include <QString>

/// The group through which a user can be given a device: the group that owns
/// the device file (dialout on Debian, uucp on Arch), or its number when it has
/// no name. Empty when that group may not both read and write the device, when
/// it is root, or when the file cannot be examined: joining it would not help.
QString deviceAccessGroup(const QString& path);
