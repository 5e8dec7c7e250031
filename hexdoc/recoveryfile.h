#pragma once

#include <QString>

#include <memory>

class ByteModel;
class FileBacking;

/// A complete copy of a document's bytes, written before a save overwrites
/// the file they are read from, so that a failure half-way loses nothing.
struct RecoveryFile {
    QString path;
    std::shared_ptr<FileBacking> file;  // the copy, opened for reading

    /// Writes the copy beside the file at path, or in the user's cache folder
    /// when that folder takes no new file. On failure path is empty and
    /// reason says why.
    static RecoveryFile write(const QString& path, const ByteModel& bytes, QString& reason);
    /// Deletes the copy once the save succeeded.
    void discard();
};
