#include <gtest/gtest.h>

#include "byteops/byterunformat.h"

namespace {

ByteBuffer run(qsizetype size)
{
    ByteBuffer bytes(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    return bytes;
}

// A count below FFFF is two little-endian bytes; from FFFF on, FFFF then four bytes.
TEST(ByteRunFormat, CountFormsAndRoundTrip)
{
    EXPECT_EQ(ByteRunFormat::mimeType().toStdString(), "application/x-varn-hex-clipboard-format-v2.00");
    const std::pair<qsizetype, QByteArray> heads[] = {
        {0, QByteArray("\x00\x00", 2)},
        {3, QByteArray("\x03\x00", 2)},
        {0xFFFE, QByteArray("\xFE\xFF", 2)},
        {0xFFFF, QByteArray("\xFF\xFF\xFF\xFF\x00\x00", 6)},
        {0x12345, QByteArray("\xFF\xFF\x45\x23\x01\x00", 6)},
    };
    for (const auto& [size, head] : heads) {
        const QByteArray block = ByteRunFormat::encode(run(size));
        EXPECT_EQ(block, head + QByteArray(reinterpret_cast<const char*>(run(size).data()), size)) << size;
        EXPECT_EQ(ByteRunFormat::decode(block), run(size)) << size;
        // Only the count is read from a block rounded up with more bytes.
        EXPECT_EQ(ByteRunFormat::decode(block + QByteArray(14, '\xEE')), run(size)) << size;
    }
}

TEST(ByteRunFormat, ShortBlocksGiveAnEmptyRun)
{
    const QByteArray cases[] = {
        {},
        QByteArray("\x05", 1),
        QByteArray("\x05\x00\x01\x02\x03\x04", 6),          // declares 5, holds 4
        QByteArray("\xFF\xFF\x00\x00", 4),                  // long form cut inside its count
        QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x01", 7),      // declares 4 GiB - 1
    };
    for (const QByteArray& block : cases)
        EXPECT_TRUE(ByteRunFormat::decode(block)->empty()) << block.toHex().toStdString();
}

}  // namespace
