#pragma once

#include <QString>

/// What tells one version of a file from another: which file it is (device
/// and inode), its size and its modification time.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = -1;
    long long modifiedNs = 0;

    /// The identity of an open descriptor, or of a path (following links); size -1 when it cannot be had.
    static FileIdentity of(int fd);
    static FileIdentity of(const QString& path);
    bool isSameFile(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileIdentity&) const = default;
};
