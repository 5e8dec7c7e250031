#pragma once

#include <QString>

#include <cstddef>

/// Writes a file so that a failure never leaves it truncated or half-written.
///
/// A regular file with one link in a writable folder (or a new file) is written
/// to a temporary file beside it, flushed to disk, given the original's mode
/// and owner, and renamed over it: until commit() the original is untouched.
/// A hard-linked file, a file in a folder we cannot write, or a file that is
/// not regular (a device, an EEPROM file under /sys) is written in place and
/// flushed, since a rename would break the link or is impossible there.
/// A symbolic link is followed: its target is written.
class SafeFileWriter {
public:
    explicit SafeFileWriter(QString path);
    ~SafeFileWriter();  // abandons an uncommitted write
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open();
    bool write(const void* data, std::size_t size);
    /// Flushes and puts the new contents in place.
    bool commit();

    /// The system's description of the first failure.
    QString errorString() const { return m_error; }
    /// True when the write goes through a temporary file.
    bool replacesAtomically() const { return !m_tempPath.isEmpty(); }

private:
    bool fail();
    bool openTemporary(const QString& folder, unsigned mode, int uid, int gid);
    bool openInPlace();

    QString m_path;
    QString m_tempPath;
    QString m_error;
    int m_fd = -1;
    bool m_regular = true;
    long long m_originalSize = -1;
    long long m_written = 0;
};
