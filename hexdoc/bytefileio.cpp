#include "hexdoc/bytefileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <linux/fs.h>
#include <new>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bytemodel/filebacking.h"
#include "bytemodel/largereserve.h"
#include "hexdoc/piecewriter.h"
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

/// Reads an opened file whole and closes it; out changes only on Ok.
ReadResult readWholeAndClose(int fd, qint64 size, ByteBuffer& out, QString& reason)
{
    ByteBuffer bytes;
    const ReadResult result = size >= kMaxFileSize ? ReadResult::TooLarge : readAll(fd, size, bytes, reason);
    ::close(fd);
    if (result == ReadResult::Ok)
        out = std::move(bytes);
    return result;
}

bool readsLazily(int fd, qint64 size)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && (S_ISBLK(st.st_mode) || size >= kLazyReadSize);
}

/// The file, among those the bytes are read from, that a write in place goes over.
std::shared_ptr<const FileBacking> fileWrittenOver(const std::vector<StoredRange>& ranges,
                                                  const SafeFileWriter& writer)
{
    if (writer.replacesAtomically())
        return nullptr;
    const FileIdentity target = writer.target();
    for (const StoredRange& range : ranges) {
        if (range.file && range.file->identity().isSameFile(target))
            return range.file;
    }
    return nullptr;
}

bool writeFromModel(SafeFileWriter& writer, const ByteModel& bytes, ByteOffset offset, qint64 count)
{
    return bytes.forEachChunk(offset, count, [&writer](ByteOffset, std::span<const std::uint8_t> chunk) {
        return writer.write(chunk.data(), chunk.size());
    });
}

/// Writes the bytes in order; those still as they are in a file are copied
/// from it by the kernel, the rest read through the model.
bool streamAll(SafeFileWriter& writer, const ByteModel& bytes, const std::vector<StoredRange>& ranges)
{
    for (const StoredRange& range : ranges) {
        const qint64 copied = range.file && !range.derived
                                  ? writer.copyFrom(range.file->descriptor(), range.fileOffset, range.count)
                                  : 0;
        if (!writeFromModel(writer, bytes, range.offset + copied, range.count - copied))
            return false;
    }
    return true;
}

bool readsFromAFile(const std::vector<StoredRange>& ranges)
{
    return std::any_of(ranges.begin(), ranges.end(), [](const StoredRange& range) { return range.file != nullptr; });
}

/// After a save, the bytes that were read from a file are read from the one
/// written; over is the file written in place, if the bytes were read from it.
void readFromWritten(SafeFileWriter& writer, ByteModel& bytes, bool fromAFile, const FileBacking* over)
{
    int written = writer.takeWrittenFile();
    if (written < 0 && over)  // the same file, which the old descriptor still reads
        written = ::fcntl(over->descriptor(), F_DUPFD_CLOEXEC, 0);
    if (written >= 0 && fromAFile)
        bytes.rebaseOnto(std::make_shared<FileBacking>(written, bytes.size()));
    else if (written >= 0)
        ::close(written);
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
    return opened == ReadResult::Ok ? readWholeAndClose(fd, size, out, reason) : opened;
}

ReadResult loadFile(const QString& path, ByteModel& bytes, QString& reason)
{
    int fd = -1;
    qint64 size = 0;
    const ReadResult opened = openForReading(path, fd, size, reason);
    if (opened != ReadResult::Ok)
        return opened;
    if (size < kMaxFileSize && readsLazily(fd, size)) {
        bytes.assignFile(std::make_shared<FileBacking>(fd, size));
        return ReadResult::Ok;
    }
    ByteBuffer whole;
    const ReadResult result = readWholeAndClose(fd, size, whole, reason);
    if (result == ReadResult::Ok)
        bytes.assign(std::move(whole));
    return result;
}

bool writeFile(const QString& path, ByteModel& bytes, QString& reason)
{
    SafeFileWriter writer(path);
    if (!writer.open(bytes.size())) {
        reason = writer.errorString();
        return false;
    }
    const std::vector<StoredRange> ranges = bytes.storedRanges();
    const std::shared_ptr<const FileBacking> over = fileWrittenOver(ranges, writer);
    RecoveryFile recovery;
    if (over)
        over->markOverwritten();
    const bool ok = over ? PieceWriter::writeOver(bytes, *over, path,
                                                  [&writer](qint64 offset, std::span<const std::uint8_t> chunk) {
                                                      return writer.writeAt(offset, chunk.data(), chunk.size());
                                                  },
                                                  recovery, reason)
                         : streamAll(writer, bytes, ranges);
    if (ok && writer.commit()) {
        recovery.discard();
        readFromWritten(writer, bytes, readsFromAFile(ranges), over.get());
        return true;
    }
    if (!writer.errorString().isEmpty())
        reason = writer.errorString();
    if (!recovery.path.isEmpty()) {
        // The file may be half old, half new: the complete new content is in the copy.
        bytes.rebaseOnto(recovery.file);
        reason += QStringLiteral("\nThe new content was kept in the file ") + recovery.path;
    }
    return false;
}

}  // namespace ByteFileIo
