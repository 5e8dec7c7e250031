#include <gtest/gtest.h>

#include <random>

#include "bytemodel/bytemodel.h"
#include "byteops/findbytes.h"

namespace {

ByteOffset find(const ByteModel& model, ByteBuffer pattern, ByteOffset start, qint64 chunk = 256 << 10)
{
    return FindBytes(model, pattern, start, chunk);
}

TEST(FindBytes, NoRoomForThePatternFindsNothing)
{
    ByteModel model;
    model.assign(ByteBuffer(16, 0xAA));
    EXPECT_EQ(find(model, {0xAA}, 0xFFFF), kNoOffset);
    EXPECT_EQ(find(model, {0xAA}, 0xFFFFFFFF), kNoOffset);
    model.assign({0x00, 0x01, 0x02, 0x03});
    EXPECT_EQ(find(model, {0x02, 0x03, 0x04, 0x05}, 0), kNoOffset) << "cut off at the end";
    EXPECT_EQ(find(model, {0x00, 0x01, 0x02, 0x03}, 0), 0);
    EXPECT_EQ(find(model, {0x00, 0x01, 0x02, 0x03}, 1), kNoOffset);
    EXPECT_EQ(find(model, {}, 0), kNoOffset);
    ByteModel empty;
    EXPECT_EQ(find(empty, {0x00}, 0), kNoOffset);
}

TEST(FindBytes, AgreesWithAPlainSearchAcrossChunkBoundaries)
{
    std::mt19937 random(7);
    ByteBuffer bytes(5000);
    for (auto& b : bytes)
        b = std::uint8_t(random() % 4);  // few values, so short patterns recur
    ByteModel model;
    model.assign(bytes);
    for (int i = 0; i < 400; ++i) {
        ByteBuffer pattern(1 + random() % 4);
        for (auto& b : pattern)
            b = std::uint8_t(random() % 4);
        const ByteOffset start = random() % 5100;
        const qint64 chunk = 1 + random() % 9;
        const auto at = start > qint64(bytes.size())
                            ? bytes.end()
                            : std::search(bytes.begin() + start, bytes.end(), pattern.begin(), pattern.end());
        const ByteOffset expected = at == bytes.end() ? kNoOffset : at - bytes.begin();
        ASSERT_EQ(find(model, pattern, start, chunk), expected) << "start " << start << " chunk " << chunk;
    }
}

}  // namespace
