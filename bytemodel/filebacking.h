#pragma once

#include <QtGlobal>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "bytemodel/fileidentity.h"
#include "bytemodel/piecesource.h"

/// An opened file or disk whose bytes are read when they are asked for, with
/// pread, never mapped: a file another program truncates cannot end the
/// process with SIGBUS. Small reads (painting, typing) go through a cache of
/// recently read blocks; large reads (scans, saves) go straight to the
/// caller's buffer, so paging through a whole file never holds more than the
/// cache. Bytes that cannot be read (the file was truncated meanwhile, an
/// I/O error) read as zero; the document's watch on the file tells the user.
class FileBacking final : public PieceSource {
public:
    static constexpr qint64 kBlockSize = qint64(64) << 10;
    static constexpr int kCachedBlocks = 32;

    /// Takes over fd (and closes it); size is the length the file had when opened.
    FileBacking(int fd, qint64 size);
    ~FileBacking() override;
    FileBacking(const FileBacking&) = delete;
    FileBacking& operator=(const FileBacking&) = delete;

    qint64 size() const { return m_size; }
    int descriptor() const { return m_fd; }
    /// The file's identity when it was opened.
    const FileIdentity& identity() const { return m_identity; }
    /// Said by a save that writes over this very file: the bytes kept from it for undo no longer hold.
    void markOverwritten() const { m_overwritten.store(true, std::memory_order_relaxed); }
    bool wasOverwritten() const { return m_overwritten.load(std::memory_order_relaxed); }

    void read(qint64 at, std::span<std::uint8_t> out) const override;
    /// Reads past the cache; bytes that cannot be read become zero.
    void readDirect(qint64 at, std::span<std::uint8_t> out) const;

private:
    struct Block {
        qint64 index = -1;
        std::uint64_t lastUse = 0;
        std::unique_ptr<std::uint8_t[]> bytes;
    };
    const Block& cachedBlock(qint64 index) const;

    int m_fd;
    qint64 m_size;
    FileIdentity m_identity;
    mutable std::atomic<bool> m_overwritten{false};
    mutable std::mutex m_cacheLock;
    mutable std::array<Block, kCachedBlocks> m_blocks;
    mutable std::uint64_t m_useClock = 0;
};
