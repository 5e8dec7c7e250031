#include "hexdoc/recoveryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "bytemodel/bytemodel.h"
#include "bytemodel/filebacking.h"
#include "safewrite/systempath.h"

namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

/// Writes the copy into folder; the descriptor, or -1 with errno set.
int writeInto(const QString& folder, const QString& name, const ByteModel& bytes, QString& written)
{
    QByteArray pattern = SystemPath::encode(folder + QLatin1Char('/') + name + QStringLiteral(".recovery-XXXXXX"));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    const bool ok = bytes.forEachChunk(0, bytes.size(), [fd](ByteOffset, std::span<const std::uint8_t> chunk) {
        return writeAll(fd, chunk);
    }) && ::fsync(fd) == 0;
    if (!ok) {
        const int error = errno;
        ::close(fd);
        ::unlink(pattern.constData());
        errno = error;
        return -1;
    }
    written = SystemPath::decode(pattern);
    return fd;
}

}  // namespace

RecoveryFile RecoveryFile::write(const QString& path, const ByteModel& bytes, QString& reason)
{
    const QFileInfo info(path);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                          + QStringLiteral("/vellmar");
    QDir().mkpath(cache);
    for (const QString& folder : {info.absolutePath(), cache}) {
        RecoveryFile recovery;
        const int fd = writeInto(folder, info.fileName(), bytes, recovery.path);
        if (fd >= 0) {
            recovery.file = std::make_shared<FileBacking>(fd, bytes.size());
            return recovery;
        }
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    return {};
}

void RecoveryFile::discard()
{
    ::unlink(SystemPath::encode(path).constData());
    path.clear();
    file.reset();
}
