#pragma once

#include <QByteArray>
#include <QString>

/// File names as the system keeps them: bytes, usually but not always UTF-8.
/// A byte that is not part of valid UTF-8 becomes the lone surrogate
/// U+DC80 + its value (Python calls this "surrogateescape"), which no valid
/// name decodes to, so a name read from the command line or a link reaches
/// the system again byte for byte and never names another file.
namespace SystemPath {

QString decode(const QByteArray& bytes);
QByteArray encode(const QString& path);
/// Whether two names lead to one file (links followed); names of no file
/// are the same only as the same text. QFileInfo's comparison would let a
/// name that is not UTF-8 stand for the file its lossy decoding names.
bool sameFile(const QString& first, const QString& second);

}  // namespace SystemPath
