#include "safewrite/safefilewriter.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

SafeFileWriter::SafeFileWriter(QString path)
    : m_path(std::move(path))
{
}

SafeFileWriter::~SafeFileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempPath.isEmpty())
        ::unlink(QFile::encodeName(m_tempPath).constData());
}

bool SafeFileWriter::fail()
{
    if (m_error.isEmpty())
        m_error = systemReason(errno);
    return false;
}

bool SafeFileWriter::open()
{
    const QFileInfo info(m_path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    m_path = target;
    const QString folder = QFileInfo(target).absolutePath();
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) != 0) {
        if (errno != ENOENT)
            return fail();
        return openTemporary(folder, newFileMode(), -1, -1);
    }
    m_regular = S_ISREG(st.st_mode);
    m_originalSize = st.st_size;
    const bool folderWritable = ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
    if (m_regular && st.st_nlink == 1 && folderWritable)
        return openTemporary(folder, st.st_mode & 07777, int(st.st_uid), int(st.st_gid));
    return openInPlace();
}

bool SafeFileWriter::openTemporary(const QString& folder, unsigned mode, int uid, int gid)
{
    QByteArray pattern = QFile::encodeName(folder + "/." + QFileInfo(m_path).fileName() + ".XXXXXX");
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return fail();
    m_tempPath = QFile::decodeName(pattern);
    if (::fchmod(m_fd, mode) != 0)
        return fail();
    if (uid >= 0 && ::fchown(m_fd, uid_t(uid), gid_t(gid)) != 0) {
        // Only the owner's group can usually be kept; a different owner needs privileges we may lack.
        [[maybe_unused]] const int ignored = ::fchown(m_fd, uid_t(-1), gid_t(gid));
    }
    return true;
}

bool SafeFileWriter::openInPlace()
{
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CLOEXEC);
    return m_fd >= 0 || fail();
}

bool SafeFileWriter::write(const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        p += n;
        size -= std::size_t(n);
        m_written += n;
    }
    return true;
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0)
        return false;
    if (m_tempPath.isEmpty() && m_regular && m_written != m_originalSize && ::ftruncate(m_fd, m_written) != 0)
        return fail();
    // Devices may not support fsync; what they accepted is all we can flush.
    if (::fsync(m_fd) != 0 && (m_regular || (errno != EINVAL && errno != EROFS)))
        return fail();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail();
    if (m_tempPath.isEmpty())
        return true;
    if (::rename(QFile::encodeName(m_tempPath).constData(), QFile::encodeName(m_path).constData()) != 0)
        return fail();
    m_tempPath.clear();
    syncFolder(QFileInfo(m_path).absolutePath());
    return true;
}
