#include "byteops/byterunformat.h"

#include <QtEndian>

#include <cstring>
#include <new>

namespace ByteRunFormat {

namespace {

constexpr quint16 kLongCount = 0xFFFF;
constexpr qsizetype kShortHeader = 2;
constexpr qsizetype kLongHeader = 2 + 4;

/// The header's length, told by its first field (the block holds at least that).
qsizetype headerOf(QByteArrayView block)
{
    return qFromLittleEndian<quint16>(block.data()) == kLongCount ? kLongHeader : kShortHeader;
}

}  // namespace

QString mimeType()
{
    return QStringLiteral("application/x-") + QString::fromLatin1(kName).toLower().replace(QLatin1Char(' '), u'-');
}

std::optional<QByteArray> encode(qint64 count, const std::function<void(std::span<std::uint8_t>)>& fill)
{
    const bool longCount = count >= kLongCount;
    const qsizetype header = longCount ? kLongHeader : kShortHeader;
    QByteArray block;
    try {
        block = QByteArray(header + qsizetype(count), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    char* out = block.data();
    if (longCount) {
        qToLittleEndian<quint16>(kLongCount, out);
        qToLittleEndian<quint32>(quint32(count), out + kShortHeader);
    } else {
        qToLittleEndian<quint16>(quint16(count), out);
    }
    fill({reinterpret_cast<std::uint8_t*>(out + header), std::size_t(count)});
    return block;
}

QByteArray encode(std::span<const std::uint8_t> bytes)
{
    const auto copy = [bytes](std::span<std::uint8_t> out) {
        if (!bytes.empty())
            std::memcpy(out.data(), bytes.data(), bytes.size());
    };
    return encode(qint64(bytes.size()), copy).value_or(QByteArray());
}

qint64 declaredCount(QByteArrayView block)
{
    if (block.size() < kShortHeader || block.size() < headerOf(block))
        return -1;
    const qsizetype header = headerOf(block);
    const qint64 count = header == kLongHeader ? qint64(qFromLittleEndian<quint32>(block.data() + kShortHeader))
                                               : qint64(qFromLittleEndian<quint16>(block.data()));
    return count > block.size() - header ? -1 : count;
}

std::optional<ByteBuffer> decode(QByteArrayView block)
{
    const qint64 count = declaredCount(block);
    if (count < 0)
        return ByteBuffer();
    const auto* first = reinterpret_cast<const std::uint8_t*>(block.data() + headerOf(block));
    try {
        return ByteBuffer(first, first + count);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace ByteRunFormat
