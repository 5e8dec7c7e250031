#include "byteops/byterunformat.h"

#include <QtEndian>

#include <cstring>

namespace ByteRunFormat {

namespace {

constexpr quint16 kLongCount = 0xFFFF;
constexpr qsizetype kShortHeader = 2;
constexpr qsizetype kLongHeader = 2 + 4;

}  // namespace

QString mimeType()
{
    return QStringLiteral("application/x-") + QString::fromLatin1(kName).toLower().replace(QLatin1Char(' '), u'-');
}

QByteArray encode(std::span<const std::uint8_t> bytes)
{
    const qsizetype count = qsizetype(bytes.size());
    const bool longCount = count >= kLongCount;
    const qsizetype header = longCount ? kLongHeader : kShortHeader;
    QByteArray block(header + count, Qt::Uninitialized);
    char* out = block.data();
    if (longCount) {
        qToLittleEndian<quint16>(kLongCount, out);
        qToLittleEndian<quint32>(quint32(count), out + kShortHeader);
    } else {
        qToLittleEndian<quint16>(quint16(count), out);
    }
    if (count > 0)
        std::memcpy(out + header, bytes.data(), std::size_t(count));
    return block;
}

ByteBuffer decode(QByteArrayView block)
{
    if (block.size() < kShortHeader)
        return {};
    const char* in = block.data();
    qint64 count = qFromLittleEndian<quint16>(in);
    qsizetype header = kShortHeader;
    if (count == kLongCount) {
        if (block.size() < kLongHeader)
            return {};
        count = qFromLittleEndian<quint32>(in + kShortHeader);
        header = kLongHeader;
    }
    if (count > block.size() - header)
        return {};
    const auto* first = reinterpret_cast<const std::uint8_t*>(in + header);
    return ByteBuffer(first, first + count);
}

}  // namespace ByteRunFormat
