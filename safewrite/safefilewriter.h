#pragma once

#include <QString>

#include <cstddef>
#include <utility>

#include "bytemodel/fileidentity.h"

/// Writes a file so that a failure never leaves it truncated or half-written,
/// and never writes where writing in place would be refused.
///
/// Symbolic links are followed to the file they name, which is created when it
/// does not exist yet; the links stay. A link that another user planted in a
/// sticky world-writable folder is refused, as the kernel refuses it. Writing
/// needs the permission that writing in place needs. A regular file with one
/// link is written to a temporary file beside it that gets the original's
/// owner, group, extended attributes (ACLs among them) and mode, is flushed to
/// disk and renamed over it: until commit() the original is untouched. Where
/// the copy could not be made identical or the folder takes no new file (hard
/// links, a folder we cannot write, another user's file in a sticky folder),
/// the file is written in place after its whole new size is reserved, so that a
/// full disk fails before the first old byte is overwritten. Disks are written
/// in place; streams and character devices are refused, since writing them may
/// block for ever. A new size past the file-size limit (ulimit -f) is refused
/// before the first byte, and the limit's signal, SIGXFSZ, is ignored from the
/// first open on, so that the limit fails a write instead of ending the
/// program.
class SafeFileWriter {
public:
    explicit SafeFileWriter(QString path);
    ~SafeFileWriter();  // abandons an uncommitted write
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    /// Prepares to write finalSize bytes in all.
    bool open(long long finalSize);
    bool write(const void* data, std::size_t size);
    /// Appends count bytes of the regular file from (read from offset) inside
    /// the kernel, without passing them through memory; returns how many were
    /// copied, fewer where the file systems cannot copy so (the caller then
    /// writes the rest) or the file ends early.
    long long copyFrom(int from, long long offset, long long count);
    /// Writes at a position, for an in-place write that must order its
    /// writes; the file then ends at finalSize on commit().
    bool writeAt(long long offset, const void* data, std::size_t size);
    /// Flushes and puts the new contents in place.
    bool commit();

    /// The file the bytes go to (the temporary file or the file itself), once open.
    FileIdentity target() const { return FileIdentity::of(m_fd); }
    /// After commit(), a read-only descriptor of the file written, which the
    /// caller then owns; -1 when it cannot be had.
    int takeWrittenFile() { return std::exchange(m_writtenFd, -1); }

    /// The system's description of the first failure.
    QString errorString() const { return m_error; }
    /// True when the write goes through a temporary file.
    bool replacesAtomically() const { return !m_tempPath.isEmpty(); }

private:
    bool fail();
    bool failWith(int error);
    bool failWith(const QString& reason);
    bool openNew();
    bool openExisting();
    bool refuses(unsigned mode);
    bool replaceByTemporary(unsigned uid, unsigned gid);
    void abandonTemporary();
    int createTemporary();
    bool prepareInPlace();
    bool commitTemporary();
    bool commitInPlace();
    bool closeFile();
    void keepWrittenFile();
    void wrote(long long count);

    QString m_path;
    QString m_tempPath;
    QString m_error;
    int m_fd = -1;        // where the bytes go
    int m_originalFd = -1;  // the original, while a temporary file replaces it
    unsigned m_mode = 0;
    bool m_regular = true;
    bool m_blockDevice = false;
    bool m_positioned = false;
    int m_writtenFd = -1;
    long long m_finalSize = 0;
    long long m_written = 0;
    long long m_writebackFrom = 0;
};
