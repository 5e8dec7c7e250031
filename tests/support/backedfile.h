#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <memory>

#include "bytemodel/filebacking.h"

/// Writes bytes to path and opens it as a lazily read file.
inline std::shared_ptr<FileBacking> backedFile(const QString& path, const ByteBuffer& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        return nullptr;
    file.close();
    return std::make_shared<FileBacking>(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC),
                                         qint64(bytes.size()));
}
