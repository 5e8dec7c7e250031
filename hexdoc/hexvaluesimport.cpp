#include "hexdoc/hexvaluesimport.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <unistd.h>

#include "bytemodel/largereserve.h"
#include "hexdoc/bytefileio.h"
#include "hexdoc/hexvaluesparser.h"
#include "hexdoc/textfiledialogs.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"

namespace HexValuesImport {

namespace {

using ByteFileIo::ReadResult;

constexpr qint64 kChunk = qint64(1) << 20;

/// Parses the text chunk by chunk straight into bytes, stopping at the size limit.
ReadResult parseText(QFile& file, qint64 textSize, ByteBuffer& bytes, QString& reason)
{
    // At most one byte per two characters, room for all of it first: growing
    // by doubling would need twice the result. The parser asks for half a
    // chunk more before it trims.
    reserveLarge(bytes, std::size_t(std::min(textSize / 2, ByteFileIo::kMaxFileSize) + kChunk / 2 + 1));
    HexValuesParser parser;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) {
            reason = file.errorString();
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        parser.feed(chunk.constData(), std::size_t(n), bytes);
        if (qint64(bytes.size()) >= ByteFileIo::kMaxFileSize)
            return ReadResult::TooLarge;
    }
    parser.finish();
    return ReadResult::Ok;
}

ReadResult parseFile(QFile& file, qint64 textSize, ByteBuffer& bytes, QString& reason)
{
    try {
        return parseText(file, textSize, bytes, reason);
    } catch (const std::bad_alloc&) {
        reason = QString::fromLocal8Bit(std::strerror(ENOMEM));
        return ReadResult::OutOfMemory;
    }
}

}  // namespace

QString askForFile(QWidget* parent)
{
    return Prompter::instance().openFileName(parent, TextFileDialogs::request("Select file for importing hex values text"));
}

bool importFile(QWidget* parent, const QString& path, ByteBuffer& out)
{
    int fd = -1;
    qint64 textSize = 0;
    QString reason;
    if (ByteFileIo::openForReading(path, fd, textSize, reason) != ReadResult::Ok) {
        Prompter::error(parent, QStringLiteral("Failed to open file ") + path + QStringLiteral("\nCause: ") + reason);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        Prompter::error(parent, QStringLiteral("Failed to open file ") + path + QStringLiteral("\nCause: ")
                                    + file.errorString());
        return false;
    }
    WaitCursor wait;
    ByteBuffer bytes;
    switch (parseFile(file, textSize, bytes, reason)) {
    case ReadResult::Ok:
        out = std::move(bytes);
        return true;
    case ReadResult::TooLarge:
        reason = QStringLiteral("Its values make 4 GB or more of bytes; Vellmar shows 8-digit addresses and holds "
                                "less than 4 GB.");
        break;
    case ReadResult::OutOfMemory:
    case ReadResult::Failed:
        break;
    }
    Prompter::error(parent, QStringLiteral("Failed to read first file ") + path + QStringLiteral("\nCause: ") + reason);
    return false;
}

}  // namespace HexValuesImport
