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

TEST(ByteRunFormat, ShortCountIsTwoLittleEndianBytes)
{
    const ByteBuffer abc{0x41, 0x42, 0x43};
    EXPECT_EQ(ByteRunFormat::encode(abc), bytesOf({0x03, 0x00, 0x41, 0x42, 0x43}));
    EXPECT_EQ(ByteRunFormat::encode(ByteBuffer{0x7F}), bytesOf({0x01, 0x00, 0x7F}));
    EXPECT_EQ(ByteRunFormat::encode({}), bytesOf({0x00, 0x00}));
    const QByteArray below = ByteRunFormat::encode(run(0xFFFE));
    EXPECT_EQ(below.size(), 2 + 0xFFFE);
    EXPECT_EQ(below.left(2), bytesOf({0xFE, 0xFF}));
}

TEST(ByteRunFormat, CountsFromFFFFTakeTheLongForm)
{
    const QByteArray exact = ByteRunFormat::encode(run(0xFFFF));
    EXPECT_EQ(exact.size(), 6 + 0xFFFF);
    EXPECT_EQ(exact.left(6), bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    const QByteArray above = ByteRunFormat::encode(run(0x12345));
    EXPECT_EQ(above.left(6), bytesOf({0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
}

TEST(ByteRunFormat, DecodesWhatItEncodes)
{
    for (qsizetype size : {0, 1, 3, 0xFFFE, 0xFFFF, 0x10000, 0x12345}) {
        const ByteBuffer bytes = run(size);
        EXPECT_EQ(ByteRunFormat::decode(ByteRunFormat::encode(bytes)), bytes) << size;
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
        EXPECT_TRUE(ByteRunFormat::decode(block).empty()) << block.toHex().toStdString();
}

}  // namespace
