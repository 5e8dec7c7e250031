#include <gtest/gtest.h>

#include <random>

#include "bytemodel/bytemodel.h"
#include "byteops/findbytes.h"

namespace {

// Random patterns of few byte values, so that they recur, from random starts
// (past the end too) with chunks of a few bytes, so that matches cross chunk
// boundaries: against a plain search.
TEST(FindBytes, AgreesWithAPlainSearch)
{
    std::mt19937 random(7);
    ByteBuffer bytes(5000);
    for (auto& b : bytes)
        b = std::uint8_t(random() % 4);
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
        ASSERT_EQ(FindBytes(model, pattern, start, chunk), expected) << "start " << start << " chunk " << chunk;
    }
    EXPECT_EQ(FindBytes(model, ByteBuffer{}, 0, 256), kNoOffset);
    EXPECT_EQ(FindBytes(ByteModel(), ByteBuffer{0x00}, 0, 256), kNoOffset);
}

}  // namespace
