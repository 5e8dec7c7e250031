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

// Spot rows only: the edit history's oracle checks every operation against plain arithmetic.
TEST(ByteTransform, SpotRows)
{
    const std::tuple<ByteTransform, int, int> rows[] = {
        {ByteTransform::shiftLeft(1), 0x81, 0x02},     {ByteTransform::shiftRight(7), 0x80, 0x01},
        {ByteTransform::shiftLeft(8), 0xFF, 0x00},     {ByteTransform::xorMask(0xF0), 0x5A, 0xAA},
        {ByteTransform::twosComplement(), 0x80, 0x80}, {ByteTransform::twosComplement(), 0x01, 0xFF},
        {ByteTransform::replace(0x00, 0xFF), 0x00, 0xFF}, {ByteTransform::replace(0x00, 0xFF), 0x01, 0x01},
    };
    for (const auto& [transform, in, out] : rows)
        EXPECT_EQ(allValues(transform)[std::size_t(in)], out) << int(transform.kind()) << " of " << in;
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
