#include "safewrite/systempath.h"

#include <algorithm>
#include <sys/stat.h>

namespace SystemPath {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

/// The length of the UTF-8 sequence a lead byte announces; 0 for a byte that leads none.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

/// Whether the sequence decodes and encodes back to the same bytes: rules
/// out overlong forms, encoded surrogates and missing continuation bytes.
bool isValidSequence(QByteArrayView sequence)
{
    return QString::fromUtf8(sequence).toUtf8() == sequence;
}

/// A lone low surrogate in the escape range; one after a high surrogate is half of a real character.
bool isEscapedByte(const QString& path, qsizetype i)
{
    const char16_t c = path[i].unicode();
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF && (i == 0 || !path[i - 1].isHighSurrogate());
}

}  // namespace

QString decode(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const int length = sequenceLength(static_cast<unsigned char>(bytes[at]));
        const QByteArrayView sequence = QByteArrayView(bytes).sliced(at, std::min<qsizetype>(length, bytes.size() - at));
        if (length > 0 && sequence.size() == length && isValidSequence(sequence)) {
            path += QString::fromUtf8(sequence);
            at += length;
        } else {
            path += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return path;
}

QByteArray encode(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscapedByte(path, i))
            continue;
        bytes += QStringView(path).sliced(runStart, i - runStart).toUtf8();
        bytes += char(path[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    bytes += QStringView(path).sliced(runStart).toUtf8();
    return bytes;
}

bool sameFile(const QString& first, const QString& second)
{
    struct stat one {};
    struct stat other {};
    if (::stat(encode(first).constData(), &one) != 0 || ::stat(encode(second).constData(), &other) != 0)
        return first == second;
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

}  // namespace SystemPath
