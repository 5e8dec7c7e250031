#include "hexdoc/bytefileio.h"

#include <QFile>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bytemodel/largereserve.h"
#include "safewrite/safefilewriter.h"

namespace ByteFileIo {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// Reads to the end of the file; devices and /sys files report no useful size.
ReadResult readAll(int fd, qint64 sizeHint, ByteBuffer& out, QString& reason)
{
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    const std::size_t capacity = std::size_t(std::max<qint64>(sizeHint, 0)) + kChunk;
    reserveLarge(out, capacity);
    out.resize(capacity);
    std::size_t used = 0;
    for (;;) {
        if (out.size() - used < kChunk)
            out.resize(out.size() * 2);
        const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = systemReason(errno);
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        used += std::size_t(n);
        if (qint64(used) >= kMaxFileSize)
            return ReadResult::TooLarge;
    }
    out.resize(used);
    return ReadResult::Ok;
}

}  // namespace

ReadResult readFile(const QString& path, ByteBuffer& out, QString& reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason(errno);
        return ReadResult::Failed;
    }
    struct stat st {};
    ReadResult result = ReadResult::Ok;
    ByteBuffer bytes;
    if (::fstat(fd, &st) != 0) {
        reason = systemReason(errno);
        result = ReadResult::Failed;
    } else if (S_ISREG(st.st_mode) && st.st_size >= kMaxFileSize) {
        result = ReadResult::TooLarge;
    } else {
        result = readAll(fd, S_ISREG(st.st_mode) ? st.st_size : 0, bytes, reason);
    }
    ::close(fd);
    if (result == ReadResult::Ok)
        out = std::move(bytes);
    return result;
}

bool writeFile(const QString& path, const ByteModel& bytes, QString& reason)
{
    SafeFileWriter writer(path);
    const bool ok = writer.open()
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
