#include "serialdevice/windowserror.h"

#include <cerrno>
#include <optional>
#include <system_error>

namespace {

enum class When { Always, AtOpen, InTransfer };

struct ErrnoCode {
    int errnoValue;
    quint32 code;
    When when;
};

/// First match wins; a code's system text is that of its first errno here.
constexpr ErrnoCode kErrnoCodes[] = {
    {ENOENT, WindowsError::kFileNotFound, When::Always},       // no such device node
    {ENODEV, WindowsError::kFileNotFound, When::Always},       // no driver behind the node
    {ENXIO, WindowsError::kFileNotFound, When::Always},        // no hardware behind the node
    {EIO, WindowsError::kFileNotFound, When::AtOpen},          // a UART slot without a chip
    {EIO, WindowsError::kIoDevice, When::InTransfer},          // the device failed or hung up
    {ENOTTY, 1, When::Always},                                 // not a serial device: "Incorrect function"
    {ENOTDIR, 3, When::Always},
    {EMFILE, 4, When::Always},
    {ENFILE, 4, When::Always},
    {EACCES, WindowsError::kAccessDenied, When::Always},       // the user lacks the device's group
    {EPERM, WindowsError::kAccessDenied, When::Always},
    {EBUSY, WindowsError::kAccessDenied, When::Always},        // held exclusively by another open
    {EWOULDBLOCK, WindowsError::kAccessDenied, When::AtOpen},  // flock held by another open
    {EBADF, WindowsError::kInvalidHandle, When::Always},
    {ENOMEM, 8, When::Always},
    {EROFS, 19, When::Always},
    {EPROTO, 31, When::Always},                                // a USB adapter stopped answering
    {EOPNOTSUPP, 50, When::Always},
    {EINVAL, WindowsError::kInvalidParameter, When::Always},
    {ENOSPC, 112, When::Always},
    {ENAMETOOLONG, 206, When::Always},
    {ECANCELED, 995, When::Always},                            // the handle was closed during the wait
};

bool applies(When when, WindowsError::Phase phase)
{
    return when == When::Always || (when == When::AtOpen) == (phase == WindowsError::Phase::Open);
}

std::optional<int> errnoOfCode(quint32 code)
{
    for (const ErrnoCode& row : kErrnoCodes) {
        if (row.code == code)
            return row.errnoValue;
    }
    return std::nullopt;
}

QString errnoText(int errnoValue)
{
    return QString::fromStdString(std::generic_category().message(errnoValue));
}

}  // namespace

bool SystemError::permissionDenied() const
{
    return code == WindowsError::kAccessDenied && (errnoValue == EACCES || errnoValue == EPERM);
}

namespace WindowsError {

SystemError fromErrno(int errnoValue, Phase phase)
{
    for (const ErrnoCode& row : kErrnoCodes) {
        if (row.errnoValue == errnoValue && applies(row.when, phase))
            return {row.code, errnoValue};
    }
    return {kUnmappedBase + quint32(errnoValue), errnoValue};
}

QString systemText(quint32 code)
{
    if (code >= kUnmappedBase)
        return errnoText(int(code - kUnmappedBase));
    if (const auto errnoValue = errnoOfCode(code))
        return errnoText(*errnoValue);
    return QStringLiteral("Unknown error %1").arg(code);
}

}  // namespace WindowsError
