#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "compare/compareengine.h"
#include "support/bytemodelof.h"

using CompareEngine::kPiece;

// The engine finds what a byte loop finds, on lengths equal, longer on either side and empty. File2 is
// File1 with some bytes changed, at random and at piece and word edges, then cut or lengthened.
TEST(CompareEngine, AgreesWithAByteLoopAndStopsBetweenPieces)
{
    std::mt19937 random(16);
    const std::size_t piece = std::size_t(kPiece);
    const std::pair<std::size_t, std::size_t> sizes[] = {{0, 0}, {5, 3}, {3, 7}, {piece * 2 + 3, piece * 2 + 3},
                                                         {piece + 1, 100}, {100, piece * 3}, {piece * 3 + 5, piece * 3 + 5}};
    for (const auto& [size1, size2] : sizes) {
        ByteBuffer a(size1);
        for (auto& byte : a)
            byte = std::uint8_t(random());
        ByteBuffer b = a;
        b.resize(size2, 0x5A);
        for (std::size_t at : {std::size_t(0), std::size_t(7), std::size_t(8), piece - 1, piece, piece + 9})
            if (at < std::min(size1, size2) && random() % 2)
                b[at] = std::uint8_t(~b[at]);
        for (int k = int(random() % 300); k > 0 && size2 > 0; --k)
            b[random() % size2] = std::uint8_t(random());
        std::vector<ByteOffset> expected, differing;
        for (std::size_t i = 0; i < std::min(size1, size2); ++i)
            if (a[i] != b[i])
                expected.push_back(ByteOffset(i));
        const auto file1 = modelOf(a);
        const auto file2 = modelOf(b);
        ByteOffset extraEnd = qint64(std::min(size1, size2));
        CompareEngine::Counts counts;
        const StopFlag stop{false};
        ASSERT_TRUE(CompareEngine::compare(*file1, *file2, stop, [&](const CompareEngine::Run& run) {
            for (ByteOffset i = run.first; i <= run.last && !run.extra; ++i)
                differing.push_back(i);
            // The extra bytes come after the differences, in runs that follow each other.
            EXPECT_TRUE(!run.extra || std::exchange(extraEnd, run.last + 1) == run.first);
        }, counts));
        EXPECT_EQ(differing, expected) << size1 << " " << size2;
        EXPECT_EQ(counts.differences, qint64(expected.size()));
        EXPECT_EQ(extraEnd, qint64(std::max(size1, size2)));
        for (int k = 0; k < 20; ++k) {
            const ByteOffset from = size2 ? ByteOffset(random() % (size2 + 2)) : 0;
            const auto next = std::lower_bound(expected.begin(), expected.end(), from);
            const auto after = std::upper_bound(expected.begin(), expected.end(), from);
            EXPECT_EQ(CompareEngine::findForward(*file1, *file2, from), next == expected.end() ? kNoOffset : *next);
            EXPECT_EQ(CompareEngine::findBackward(*file1, *file2, from), after == expected.begin() ? kNoOffset : *std::prev(after));
        }
    }
    // A stop ends the comparison before its next piece.
    const auto file1 = modelOf(ByteBuffer(std::size_t(kPiece) * 4, 1));
    const auto file2 = modelOf(ByteBuffer(std::size_t(kPiece) * 4, 2));
    StopFlag stop{false};
    CompareEngine::Counts counts;
    EXPECT_FALSE(CompareEngine::compare(*file1, *file2, stop, [&](const CompareEngine::Run&) { stop = true; }, counts));
    EXPECT_EQ(counts.differences, kPiece);
}
