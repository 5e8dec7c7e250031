#include "hexdoc/bytefileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <new>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bytemodel/largereserve.h"
#include "safewrite/filekind.h"
#include "safewrite/safefilewriter.h"
#include "safewrite/systempath.h"

namespace ByteFileIo {

namespace {

ReadResult failure(int error, QString& reason)
{
    reason = QString::fromLocal8Bit(std::strerror(error));
    return ReadResult::Failed;
}

bool refused(unsigned mode, QString& reason)
{
    reason = FileKind::refusal(mode);
    return !reason.isEmpty();
}

/// The length of an open file; a disk's comes from the kernel, as stat gives none.
ReadResult lengthOf(int fd, qint64& size, QString& reason)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failure(errno, reason);
    // The path may have been replaced since it was looked at.
    if (refused(st.st_mode, reason))
        return ReadResult::Failed;
    size = st.st_size;
    if (S_ISBLK(st.st_mode)) {
        std::uint64_t diskSize = 0;
        if (::ioctl(fd, BLKGETSIZE64, &diskSize) != 0)
            return failure(errno, reason);
        size = qint64(std::min<std::uint64_t>(diskSize, std::uint64_t(kMaxFileSize)));
    }
    return ReadResult::Ok;
}

/// Reads to the end, which a regular file's size may not tell (/proc, /sys,
/// a file still growing), never holding more than the size limit.
ReadResult readUpToLimit(int fd, qint64 sizeHint, ByteBuffer& out, QString& reason)
{
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    constexpr std::size_t kLimit = std::size_t(kMaxFileSize);
    const std::size_t capacity = std::min(std::size_t(std::max<qint64>(sizeHint, 0)) + kChunk, kLimit);
    reserveLarge(out, capacity);
    out.resize(capacity);
    std::size_t used = 0;
    for (;;) {
        if (used == out.size()) {
            if (used == kLimit)
                return ReadResult::TooLarge;
            out.resize(std::min(out.size() * 2, kLimit));
        }
        const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failure(errno, reason);
        if (n == 0)
            break;
        used += std::size_t(n);
    }
    out.resize(used);
    return ReadResult::Ok;
}

ReadResult readAll(int fd, qint64 sizeHint, ByteBuffer& out, QString& reason)
{
    try {
        return readUpToLimit(fd, sizeHint, out, reason);
    } catch (const std::bad_alloc&) {
        reason = QString::fromLocal8Bit(std::strerror(ENOMEM));
        return ReadResult::OutOfMemory;
    }
}

}  // namespace

ReadResult openForReading(const QString& path, int& fd, qint64& size, QString& reason)
{
    const QByteArray name = SystemPath::encode(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return failure(errno, reason);
    // Looked at before opening: opening a FIFO waits for a writer, and opening a device may act on it.
    if (refused(st.st_mode, reason))
        return ReadResult::Failed;
    // O_NONBLOCK keeps open from waiting should the path turn into a FIFO
    // meanwhile; once it is known to be a file or disk, reads may wait.
    const int opened = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0)
        return failure(errno, reason);
    const ReadResult result = lengthOf(opened, size, reason);
    if (result != ReadResult::Ok) {
        ::close(opened);
        return result;
    }
    ::fcntl(opened, F_SETFL, ::fcntl(opened, F_GETFL) & ~O_NONBLOCK);
    fd = opened;
    return ReadResult::Ok;
}

ReadResult readFile(const QString& path, ByteBuffer& out, QString& reason)
{
    int fd = -1;
    qint64 size = 0;
    const ReadResult opened = openForReading(path, fd, size, reason);
    if (opened != ReadResult::Ok)
        return opened;
    ByteBuffer bytes;
    const ReadResult result = size >= kMaxFileSize ? ReadResult::TooLarge : readAll(fd, size, bytes, reason);
    ::close(fd);
    if (result == ReadResult::Ok)
        out = std::move(bytes);
    return result;
}

bool writeFile(const QString& path, const ByteModel& bytes, QString& reason)
{
    SafeFileWriter writer(path);
    const bool ok = writer.open(bytes.size())
                    && bytes.forEachChunk(0, bytes.size(),
                                          [&writer](ByteOffset, std::span<const std::uint8_t> chunk) {
                                              return writer.write(chunk.data(), chunk.size());
                                          })
                    && writer.commit();
    if (!ok)
        reason = writer.errorString();
    return ok;
}

}  // namespace ByteFileIo
