#include "bytemodel/filebacking.h"

#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

FileBacking::FileBacking(int fd, qint64 size)
    : m_fd(fd)
    , m_size(size)
    , m_identity(FileIdentity::of(fd))
{
}

FileBacking::~FileBacking()
{
    // The last close of a file replaced by a save frees all its blocks, which
    // takes a while for a big one: the window that dropped it must not wait.
    const int fd = m_fd;
    if (QThreadPool* pool = QThreadPool::globalInstance())
        pool->start([fd] { ::close(fd); });
    else
        ::close(fd);
}

void FileBacking::readDirect(qint64 at, std::span<std::uint8_t> out) const
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(m_fd, out.data() + done, out.size() - done, off_t(at) + off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            std::memset(out.data() + done, 0, out.size() - done);
            return;
        }
        done += std::size_t(n);
    }
}

const FileBacking::Block& FileBacking::cachedBlock(qint64 index) const
{
    auto found = std::find_if(m_blocks.begin(), m_blocks.end(), [index](const Block& b) { return b.index == index; });
    if (found == m_blocks.end()) {
        found = std::min_element(m_blocks.begin(), m_blocks.end(),
                                 [](const Block& a, const Block& b) { return a.lastUse < b.lastUse; });
        if (!found->bytes)
            found->bytes = std::make_unique<std::uint8_t[]>(std::size_t(kBlockSize));
        const qint64 start = index * kBlockSize;
        found->index = -1;  // stays unusable should the read throw
        readDirect(start, std::span(found->bytes.get(), std::size_t(std::min(kBlockSize, m_size - start))));
        found->index = index;
    }
    found->lastUse = ++m_useClock;
    return *found;
}

void FileBacking::read(qint64 at, std::span<std::uint8_t> out) const
{
    if (qint64(out.size()) >= kBlockSize) {
        readDirect(at, out);
        return;
    }
    const std::lock_guard guard(m_cacheLock);
    for (std::size_t done = 0; done < out.size();) {
        const qint64 position = at + qint64(done);
        const Block& block = cachedBlock(position / kBlockSize);
        const qint64 inBlock = position % kBlockSize;
        const std::size_t count = std::min(out.size() - done, std::size_t(kBlockSize - inBlock));
        std::memcpy(out.data() + done, block.bytes.get() + inBlock, count);
        done += count;
    }
}
