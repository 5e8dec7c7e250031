#include <gtest/gtest.h>

#include "byteops/byterunformat.h"

namespace {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

ByteBuffer run(qsizetype size)
{
    ByteBuffer bytes(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    return bytes;
}

TEST(ByteRunFormat, MimeTypeComesFromTheName)
{
    EXPECT_EQ(ByteRunFormat::mimeType().toStdString(), "application/x-varn-hex-clipboard-format-v2.00");
}

// A count below FFFF is two little-endian bytes; from FFFF on, FFFF then four bytes.
TEST(ByteRunFormat, CountFormsAndRoundTrip)
{
    EXPECT_EQ(ByteRunFormat::encode(ByteBuffer{0x41, 0x42, 0x43}), bytesOf({0x03, 0x00, 0x41, 0x42, 0x43}));
    const std::pair<qsizetype, QByteArray> heads[] = {
        {0, bytesOf({0x00, 0x00})},
        {0xFFFE, bytesOf({0xFE, 0xFF})},
        {0xFFFF, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {0x12345, bytesOf({0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
    };
    for (const auto& [size, head] : heads) {
        const ByteBuffer bytes = run(size);
        const QByteArray block = ByteRunFormat::encode(bytes);
        EXPECT_EQ(block.left(head.size()), head) << size;
        EXPECT_EQ(block.size(), head.size() + size) << size;
        EXPECT_EQ(ByteRunFormat::decode(block), bytes) << size;
    }
}

TEST(ByteRunFormat, ReadsOnlyTheCountFromARoundedUpBlock)
{
    QByteArray block = ByteRunFormat::encode(ByteBuffer{1, 2});
    block.append(QByteArray(14, '\xEE'));
    EXPECT_EQ(ByteRunFormat::decode(block), (ByteBuffer{1, 2}));
}

TEST(ByteRunFormat, ShortBlocksGiveAnEmptyRun)
{
    const QByteArray cases[] = {
        {},
        bytesOf({0x05}),
        bytesOf({0x05, 0x00, 1, 2, 3, 4}),          // declares 5, holds 4
        bytesOf({0xFF, 0xFF, 0x00, 0x00}),          // long form cut inside its count
        bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1}),  // declares 4 GiB - 1
    };
    for (const QByteArray& block : cases)
        EXPECT_TRUE(ByteRunFormat::decode(block)->empty()) << block.toHex().toStdString();
}

}  // namespace
