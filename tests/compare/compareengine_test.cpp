#include <gtest/gtest.h>

#include <random>

#include "compare/compareengine.h"
#include "support/bytemodelof.h"

namespace {

using CompareEngine::kPiece;

/// What a plain byte loop finds: the differing offsets and the report.
struct Naive {
    std::vector<ByteOffset> differing;
    QString report;
};

Naive naive(const ByteBuffer& a, const ByteBuffer& b)
{
    Naive out;
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i])
            out.differing.push_back(ByteOffset(i));
    const qint64 n = qint64(out.differing.size());
    const qint64 extra = qint64(std::max(a.size(), b.size()) - common);
    out.report = a.size() == b.size() ? QStringLiteral("Number of different byte found: %1").arg(n)
                 : QStringLiteral("There are %1 different byte between file1 and file2.\n%2 has %3 more bytes than %4")
                       .arg(n)
                       .arg(a.size() > b.size() ? "File1" : "File2")
                       .arg(extra)
                       .arg(a.size() > b.size() ? "file2" : "file1");
    return out;
}

/// File2 is File1 with some bytes changed, at random and at piece and word edges, then cut or lengthened.
std::pair<ByteBuffer, ByteBuffer> randomPair(std::mt19937& random, std::size_t size1, std::size_t size2)
{
    ByteBuffer a(size1);
    for (auto& byte : a)
        byte = std::uint8_t(random());
    ByteBuffer b = a;
    b.resize(size2, 0x5A);
    const std::size_t edges[] = {0, 7, 8, std::size_t(kPiece) - 1, std::size_t(kPiece), std::size_t(kPiece) + 9};
    for (std::size_t at : edges)
        if (at < std::min(size1, size2) && random() % 2)
            b[at] = std::uint8_t(~b[at]);
    for (int k = int(random() % 300); k > 0 && size2 > 0; --k)
        b[random() % size2] = std::uint8_t(random());
    return {a, b};
}

}  // namespace

// The engine finds what a byte loop finds, on lengths equal, longer on either side and empty.
TEST(CompareEngine, AgreesWithAByteLoop)
{
    std::mt19937 random(16);
    const std::pair<std::size_t, std::size_t> sizes[] = {
        {0, 0}, {5, 3}, {3, 7}, {std::size_t(kPiece) * 2 + 3, std::size_t(kPiece) * 2 + 3},
        {std::size_t(kPiece) + 1, 100}, {100, std::size_t(kPiece) * 3}, {std::size_t(kPiece) * 3 + 5, std::size_t(kPiece) * 3 + 5}};
    for (const auto& [size1, size2] : sizes) {
        const auto [a, b] = randomPair(random, size1, size2);
        const auto file1 = modelOf(a);
        const auto file2 = modelOf(b);
        const Naive expected = naive(a, b);
        std::vector<ByteOffset> differing;
        ByteOffset extraEnd = qint64(std::min(size1, size2));
        CompareEngine::Counts counts;
        const StopFlag stop{false};
        ASSERT_TRUE(CompareEngine::compare(*file1, *file2, stop, [&](const CompareEngine::Run& run) {
            for (ByteOffset i = run.first; i <= run.last && !run.extra; ++i)
                differing.push_back(i);
            if (run.extra) {
                EXPECT_EQ(run.first, extraEnd);
                extraEnd = run.last + 1;
            }
        }, counts));
        EXPECT_EQ(differing, expected.differing) << size1 << " " << size2;
        EXPECT_EQ(extraEnd, qint64(std::max(size1, size2)));
        EXPECT_EQ(CompareEngine::reportText(counts), expected.report);
        for (int k = 0; k < 20; ++k) {
            const ByteOffset from = size2 ? ByteOffset(random() % (size2 + 2)) : 0;
            const auto next = std::lower_bound(expected.differing.begin(), expected.differing.end(), from);
            const auto after = std::upper_bound(expected.differing.begin(), expected.differing.end(), from);
            EXPECT_EQ(CompareEngine::findForward(*file1, *file2, from), next == expected.differing.end() ? kNoOffset : *next);
            EXPECT_EQ(CompareEngine::findBackward(*file1, *file2, from),
                      after == expected.differing.begin() ? kNoOffset : *std::prev(after));
        }
    }
}

// A stop ends the comparison before its next piece.
TEST(CompareEngine, AStopEndsTheRun)
{
    const auto file1 = modelOf(ByteBuffer(std::size_t(kPiece) * 4, 1));
    const auto file2 = modelOf(ByteBuffer(std::size_t(kPiece) * 4, 2));
    StopFlag stop{false};
    int runs = 0;
    CompareEngine::Counts counts;
    EXPECT_FALSE(CompareEngine::compare(*file1, *file2, stop, [&](const CompareEngine::Run&) { stop = ++runs > 0; }, counts));
    EXPECT_EQ(counts.differences, kPiece);
}
