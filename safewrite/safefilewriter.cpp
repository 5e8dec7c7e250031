#include "safewrite/safefilewriter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

#include "safewrite/filekind.h"
#include "safewrite/systempath.h"

namespace {

constexpr int kMaxLinkHops = 40;

QByteArray encoded(const QString& path)
{
    return SystemPath::encode(path);
}

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
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

/// The kernel's rule for links in shared folders (fs.protected_symlinks),
/// applied whether or not the kernel is set to: in a sticky world-writable
/// folder such as /tmp, a link is followed only when its owner is the
/// follower or the folder's owner, so that a link planted by another user
/// cannot turn a save into a write over a file of ours.
bool mayFollow(const QString& link, const struct stat& linkStat)
{
    struct stat folder {};
    if (::stat(encoded(QFileInfo(link).absolutePath()).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    // The file-system user id, which the kernel's permission checks use: asked for by an invalid change.
    const uid_t follower = uid_t(::setfsuid(uid_t(-1)));
    return !shared || linkStat.st_uid == follower || linkStat.st_uid == folder.st_uid;
}

/// Follows symbolic links to the name of the file they lead to, which need
/// not exist yet (a dangling link is saved by creating its target).
int followLinks(QString& path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const QByteArray name = encoded(path);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        if (!mayFollow(path, st))
            return EACCES;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(name.constData(), target.data(), std::size_t(target.size()));
        if (length < 0)
            return errno;
        target.truncate(length);
        const QString next = SystemPath::decode(target);
        path = QDir::isAbsolutePath(next) ? next : QFileInfo(path).absolutePath() + QLatin1Char('/') + next;
    }
    return ELOOP;
}

/// A write past the file-size limit (ulimit -f) would end the whole program,
/// and every unsaved document with it, by SIGXFSZ; ignored, the write fails
/// with EFBIG like any other.
void ignoreFileSizeSignal()
{
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    Q_UNUSED(ignored);
}

/// Checked before the first byte: past the limit a write in place would fail
/// after overwriting old bytes, and a temporary file would be written in vain.
bool exceedsFileSizeLimit(long long size)
{
    rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && rlim_t(size) > limit.rlim_cur;
}

/// Copies every extended attribute (POSIX ACLs are some); 0 or the error.
int copyAttributes(int from, int to)
{
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize < 0)
        return errno == ENOTSUP ? 0 : errno;
    QByteArray names(listSize, Qt::Uninitialized);
    const ssize_t listed = ::flistxattr(from, names.data(), std::size_t(names.size()));
    if (listed < 0)
        return errno;
    names.truncate(listed);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
        if (size < 0)
            return errno;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = ::fgetxattr(from, name.constData(), value.data(), std::size_t(value.size()));
        if (got < 0)
            return errno;
        if (::fsetxattr(to, name.constData(), value.constData(), std::size_t(got), 0) != 0)
            return errno;
    }
    return 0;
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
    if (m_originalFd >= 0)
        ::close(m_originalFd);
    if (m_writtenFd >= 0)
        ::close(m_writtenFd);
    if (!m_tempPath.isEmpty())
        ::unlink(encoded(m_tempPath).constData());
}

bool SafeFileWriter::fail()
{
    return failWith(errno);
}

bool SafeFileWriter::failWith(int error)
{
    return failWith(systemReason(error));
}

bool SafeFileWriter::failWith(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

bool SafeFileWriter::refuses(unsigned mode)
{
    const QString refusal = FileKind::refusal(mode);
    if (refusal.isEmpty())
        return false;
    failWith(refusal);
    return true;
}

bool SafeFileWriter::open(long long finalSize)
{
    ignoreFileSizeSignal();
    m_finalSize = finalSize;
    m_path = QFileInfo(m_path).absoluteFilePath();
    if (const int error = followLinks(m_path))
        return failWith(error);
    struct stat st {};
    if (::stat(encoded(m_path).constData(), &st) != 0)
        return errno == ENOENT ? openNew() : fail();
    // Looked at before opening: opening a FIFO waits for its other end, and opening a device may act on it.
    if (refuses(st.st_mode))
        return false;
    return openExisting();
}

bool SafeFileWriter::openNew()
{
    if (exceedsFileSizeLimit(m_finalSize))
        return failWith(EFBIG);
    if (const int error = createTemporary())
        return failWith(error);
    m_mode = newFileMode();
    return true;
}

bool SafeFileWriter::openExisting()
{
    // Opening for writing, without truncating, asks the system what writing in
    // place would: permissions, ACLs, read-only mounts, immutable files.
    m_originalFd = ::open(encoded(m_path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_originalFd < 0)
        return fail();
    struct stat st {};
    if (::fstat(m_originalFd, &st) != 0)
        return fail();
    if (refuses(st.st_mode))  // it may have been replaced since the first look
        return false;
    ::fcntl(m_originalFd, F_SETFL, ::fcntl(m_originalFd, F_GETFL) & ~O_NONBLOCK);  // a file or disk: writes may wait
    m_mode = st.st_mode & 07777;
    m_regular = S_ISREG(st.st_mode);
    m_blockDevice = S_ISBLK(st.st_mode);
    if (m_regular && exceedsFileSizeLimit(m_finalSize))
        return failWith(EFBIG);
    if (m_regular && st.st_nlink == 1 && replaceByTemporary(st.st_uid, st.st_gid))
        return true;
    return prepareInPlace();
}

bool SafeFileWriter::replaceByTemporary(unsigned uid, unsigned gid)
{
    if (createTemporary() != 0)
        return false;  // the folder takes no new file
    // Owner first: a change of owner clears the set-user-ID and set-group-ID bits.
    // A copy we cannot make identical (another user's file, a group we are not
    // in, an attribute we may not set) would change who may do what with it.
    if (::fchown(m_fd, uid_t(uid), gid_t(gid)) == 0 && copyAttributes(m_originalFd, m_fd) == 0)
        return true;
    abandonTemporary();
    return false;
}

int SafeFileWriter::createTemporary()
{
    // A short name: the file's own may already be as long as a name can be.
    QByteArray pattern = encoded(QFileInfo(m_path).absolutePath() + QStringLiteral("/.vellmar-XXXXXX"));
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return errno;
    m_tempPath = SystemPath::decode(pattern);
    return 0;
}

void SafeFileWriter::abandonTemporary()
{
    ::close(std::exchange(m_fd, -1));
    ::unlink(encoded(m_tempPath).constData());
    m_tempPath.clear();
}

bool SafeFileWriter::prepareInPlace()
{
    m_fd = std::exchange(m_originalFd, -1);
    if (m_blockDevice) {
        std::uint64_t capacity = 0;
        if (::ioctl(m_fd, BLKGETSIZE64, &capacity) != 0)
            return fail();
        return std::uint64_t(m_finalSize) <= capacity || failWith(ENOSPC);
    }
    // The whole new size reserved before the first old byte is overwritten, so
    // that a full disk fails here. Some file systems cannot reserve.
    if (m_finalSize > 0 && ::fallocate(m_fd, 0, 0, m_finalSize) != 0 && errno != EOPNOTSUPP)
        return fail();
    return true;
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
        wrote(n);
    }
    return true;
}

long long SafeFileWriter::copyFrom(int from, long long offset, long long count)
{
    constexpr long long kStep = 16LL << 20;  // a step at a time, so each is written back as it goes
    long long copied = 0;
    while (copied < count) {
        loff_t in = offset + copied;
        const ssize_t n = ::copy_file_range(from, &in, m_fd, nullptr, std::size_t(std::min(count - copied, kStep)), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        copied += n;
        wrote(n);
    }
    return copied;
}

void SafeFileWriter::wrote(long long count)
{
    m_written += count;
    // Handing each stretch to the disk as it is written, rather than all at
    // the closing fsync, lets the disk work while the rest is still copied.
    constexpr long long kWritebackStep = 32LL << 20;
    if (m_written - m_writebackFrom >= kWritebackStep) {
        ::sync_file_range(m_fd, m_writebackFrom, m_written - m_writebackFrom, SYNC_FILE_RANGE_WRITE);
        m_writebackFrom = m_written;
    }
}

bool SafeFileWriter::writeAt(long long offset, const void* data, std::size_t size)
{
    m_positioned = true;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(m_fd, p, size, off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        p += n;
        offset += n;
        size -= std::size_t(n);
    }
    return true;
}

void SafeFileWriter::keepWrittenFile()
{
    // Through /proc, since the descriptor written may be write-only.
    m_writtenFd = ::open(QByteArray("/proc/self/fd/" + QByteArray::number(m_fd)).constData(), O_RDONLY | O_CLOEXEC);
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0)
        return false;
    return m_tempPath.isEmpty() ? commitInPlace() : commitTemporary();
}

bool SafeFileWriter::commitInPlace()
{
    const long long end = m_positioned ? m_finalSize : m_written;
    struct stat st {};
    if (m_regular && (::fstat(m_fd, &st) != 0 || (st.st_size != end && ::ftruncate(m_fd, end) != 0)))
        return fail();
    if (::fsync(m_fd) != 0)
        return fail();
    keepWrittenFile();
    return closeFile();
}

bool SafeFileWriter::commitTemporary()
{
    // Writing drops file capabilities (and, for other users, set-ID bits):
    // the attributes and the mode go on last.
    if (m_originalFd >= 0) {
        if (const int error = copyAttributes(m_originalFd, m_fd))
            return failWith(error);
    }
    if (::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0)
        return fail();
    keepWrittenFile();
    if (!closeFile())
        return fail();
    if (::rename(encoded(m_tempPath).constData(), encoded(m_path).constData()) != 0)
        return fail();
    m_tempPath.clear();
    syncFolder(QFileInfo(m_path).absolutePath());
    return true;
}

bool SafeFileWriter::closeFile()
{
    return ::close(std::exchange(m_fd, -1)) == 0 || fail();
}
