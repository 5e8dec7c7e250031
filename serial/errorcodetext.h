#pragma once

#include <QString>

/// The text a serial failure message puts after its error code: a fixed
/// parenthesised text for the common Windows codes, else the system's own
/// text unchanged.
QString ErrorCodeText(quint32 code);
