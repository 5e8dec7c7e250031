#include <gtest/gtest.h>

#include <numeric>

#include "bytemodel/bytebuffer.h"
#include "byteops/bytetransform.h"

namespace {

/// Every byte value 00 to FF once, transformed.
ByteBuffer allValues(const ByteTransform& transform)
{
    ByteBuffer bytes(256);
    std::iota(bytes.begin(), bytes.end(), 0);
    transform.apply(bytes);
    return bytes;
}

std::uint8_t one(const ByteTransform& transform, std::uint8_t value)
{
    return allValues(transform)[value];
}

TEST(ByteTransform, Shifts)
{
    EXPECT_EQ(one(ByteTransform::shiftLeft(1), 0x81), 0x02);
    EXPECT_EQ(one(ByteTransform::shiftRight(1), 0x81), 0x40);
    EXPECT_EQ(one(ByteTransform::shiftRight(7), 0x80), 0x01);
    for (int n : {8, 9}) {
        EXPECT_EQ(allValues(ByteTransform::shiftLeft(n)), ByteBuffer(256, 0)) << n;
        EXPECT_EQ(allValues(ByteTransform::shiftRight(n)), ByteBuffer(256, 0)) << n;
    }
    EXPECT_EQ(allValues(ByteTransform::shiftLeft(0)), allValues(ByteTransform::shiftRight(0)));
}

TEST(ByteTransform, MasksAndComplements)
{
    EXPECT_EQ(one(ByteTransform::andMask(0x0F), 0x5A), 0x0A);
    EXPECT_EQ(one(ByteTransform::orMask(0x0F), 0x50), 0x5F);
    EXPECT_EQ(one(ByteTransform::xorMask(0xF0), 0x5A), 0xAA);
    EXPECT_EQ(allValues(ByteTransform::xorMask(0xFF)), allValues(ByteTransform::onesComplement()));
    EXPECT_EQ(one(ByteTransform::onesComplement(), 0x00), 0xFF);
    EXPECT_EQ(one(ByteTransform::onesComplement(), 0x5A), 0xA5);
    const std::pair<int, int> twos[] = {{0x00, 0x00}, {0x80, 0x80}, {0x01, 0xFF}, {0xFF, 0x01}, {0x10, 0xF0}};
    for (auto [in, out] : twos)
        EXPECT_EQ(one(ByteTransform::twosComplement(), std::uint8_t(in)), out) << in;
}

TEST(ByteTransform, ReplaceChangesOnlyTheOldValue)
{
    const ByteBuffer bytes = allValues(ByteTransform::replace(0x00, 0xFF));
    EXPECT_EQ(bytes[0], 0xFF);
    for (int v = 1; v < 256; ++v)
        ASSERT_EQ(bytes[std::size_t(v)], v);
}

TEST(ByteTransform, SelfInverseOnesRestoreTheBytes)
{
    const ByteTransform transforms[] = {
        ByteTransform::shiftLeft(3),     ByteTransform::shiftRight(2), ByteTransform::andMask(0x3C),
        ByteTransform::orMask(0x81),     ByteTransform::xorMask(0x5A), ByteTransform::onesComplement(),
        ByteTransform::twosComplement(), ByteTransform::replace(1, 2), ByteTransform::reverse(),
    };
    for (const ByteTransform& transform : transforms) {
        ByteBuffer twice = allValues(transform);
        transform.apply(twice);
        const ByteBuffer original = allValues(ByteTransform::andMask(0xFF));
        if (transform.isSelfInverse())
            EXPECT_EQ(twice, original) << int(transform.kind());
        else
            EXPECT_NE(twice, original) << int(transform.kind());
    }
}

}  // namespace
