#pragma once

#include <QString>
#include <QtGlobal>

/// A failed system call as the Windows error code that the serial messages
/// are written for, with the errno it came from (0 when none did).
struct SystemError {
    quint32 code = 0;
    int errnoValue = 0;

    bool failed() const { return code != 0; }
    /// The caller lacks the device's permissions (code 5 for a reason other than another holder).
    bool permissionDenied() const;
};

/// The one translation from errno to the Windows error codes.
namespace WindowsError {

/// EIO means "no hardware behind the node" at open, and a device failure later.
enum class Phase { Open, Transfer };

constexpr quint32 kFileNotFound = 2;
constexpr quint32 kAccessDenied = 5;
constexpr quint32 kInvalidHandle = 6;
constexpr quint32 kInvalidParameter = 87;
constexpr quint32 kIoDevice = 1117;
/// An errno with no Windows counterpart is reported as this base plus the errno.
constexpr quint32 kUnmappedBase = 0x20000000;

SystemError fromErrno(int errnoValue, Phase phase);
/// The system's own text for a code ErrorCodeText has no entry for.
QString systemText(quint32 code);

}  // namespace WindowsError
