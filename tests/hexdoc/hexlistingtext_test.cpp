#include "hexdoc/hexlistingtext.h"
#include "support/bytemodelof.h"
#include "hexdoc/listingexport.h"
#include "hexdoc/listingprefixes.h"
#include "support/naivelisting.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

/// Random bytes, the last spaces of them 0x20 (trimmed from the listing's end).
ByteBuffer randomBytes(std::size_t size, unsigned seed, std::size_t spaces = 0)
{
    std::mt19937 random(seed);
    ByteBuffer bytes(size);
    for (auto& byte : bytes)
        byte = std::uint8_t(random());
    std::fill(bytes.end() - std::ptrdiff_t(std::min(spaces, size)), bytes.end(), 0x20);
    return bytes;
}

TEST(ListingPrefixes, Texts)
{
    const QByteArray header = "Address: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n";
    EXPECT_EQ(ListingPrefix::plainView(), QByteArray(HexGeometry::kHeaderText));
    EXPECT_EQ(ListingPrefix::sendPane(),
              "------------------------- Data Sending Pane --------------------------------\n\n" + header);
    EXPECT_EQ(ListingPrefix::receivePane(),
              "------------------------- Data Receiving Pane ------------------------------\n\n" + header);
    EXPECT_EQ(ListingPrefix::comparePane(), "\n" + header + QByteArray(77, ' '));
}

// Every prefix with buffers of every shape of last line, against the naive
// listing: the whole text, each line's start, the line of every position, and
// random windows appended to what a buffer already holds.
TEST(HexListingText, MatchesTheNaiveListing)
{
    std::vector<ByteBuffer> buffers;
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 40u, 48u, 4103u}) {
        buffers.push_back(randomBytes(size, unsigned(size) + 1));
        buffers.push_back(randomBytes(size, 7, size % 3 ? 3 : 16));
        buffers.push_back(ByteBuffer(size, 0x20));
    }
    buffers.push_back(randomBytes(40, 9, 20));
    std::mt19937 random(2024);
    for (const QByteArray& prefix : {ListingPrefix::plainView(), ListingPrefix::sendPane(),
                                     ListingPrefix::receivePane(), ListingPrefix::comparePane()}) {
        for (const ByteBuffer& bytes : buffers) {
            SCOPED_TRACE(prefix.left(40).toStdString() + ", size " + std::to_string(bytes.size()));
            const auto model = modelOf(bytes);
            const HexListingText listing(prefix, *model);
            const QByteArray expected = naiveListing(prefix, bytes);
            ASSERT_EQ(listing.text(0, listing.length()), expected);
            qint64 line = 0;
            for (TextPos pos = 0; pos <= expected.size(); ++pos) {
                if (pos > 0 && expected[pos - 1] == '\n') {
                    ASSERT_EQ(listing.lineStart(++line), pos);
                }
                ASSERT_EQ(listing.lineOfPosition(pos), line) << "position " << pos;
            }
            ASSERT_EQ(listing.lineCount(), line + 1);
            for (int i = 0; i < 100; ++i) {
                TextPos from = TextPos(random() % std::uint32_t(expected.size() + 1));
                TextPos to = TextPos(random() % std::uint32_t(expected.size() + 1));
                if (from > to)
                    std::swap(from, to);
                QByteArray out("kept");
                listing.appendText(from, to, out);
                ASSERT_EQ(out, "kept" + expected.mid(from, to - from)) << "window " << from << ".." << to;
            }
        }
    }
}

TEST(HexListingText, ReplaceAcceptsOnlyTheCurrentText)
{
    const auto model = modelOf(randomBytes(40, 3));
    HexListingText listing(ListingPrefix::sendPane(), *model);
    const HexPositions hex = listing.layout().HexPositionOfOffset(0x21);
    const QByteArray digits = listing.text(hex.first, hex.second + 1);
    EXPECT_TRUE(listing.replace(hex.first, hex.second + 1, digits));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, digits == "22" ? "23" : "22"));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, "2"));
    EXPECT_TRUE(listing.replace(0, listing.length(), listing.text(0, listing.length())));
    EXPECT_FALSE(listing.replace(listing.length(), listing.length() + 1, " "));
}

// Bytes changed in place read at once; the last line's trimmed spaces come back
// when their bytes change, as in a fresh listing.
TEST(HexListingText, FollowsBytesChangedInPlace)
{
    const auto model = modelOf({0x78, 0x78, 0x20, 0x20});
    HexListingText listing(ListingPrefix::plainView(), *model);
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx"));
    for (const std::uint8_t value : {std::uint8_t(0x43), std::uint8_t(0x20), std::uint8_t(0x00)}) {
        model->setBytes(3, std::span(&value, 1));
        const TextRange changed = listing.bytesChanged(3, 3);
        const HexListingText fresh(ListingPrefix::plainView(), *model);
        EXPECT_EQ(listing.text(0, listing.length()), fresh.text(0, fresh.length())) << int(value);
        EXPECT_LE(changed.start, listing.layout().HexPositionOfOffset(3).first);
    }
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx ."));
    EXPECT_EQ(listing.layout().initialCaret(), 87);
}

TEST(WriteListing, StreamsTheWholeTextInChunksUntilTheSinkRefuses)
{
    const ByteBuffer bytes = randomBytes(std::size_t(3) << 20, 5);
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::plainView(), *listingModel);
    QByteArray written;
    int chunks = 0;
    EXPECT_TRUE(writeListing(listing, [&](const char* data, std::size_t size) {
        written.append(data, qsizetype(size));
        return ++chunks > 0;
    }));
    EXPECT_GT(chunks, 1);
    EXPECT_EQ(written, naiveListing(ListingPrefix::plainView(), bytes));
    chunks = 0;
    EXPECT_FALSE(writeListing(listing, [&](const char*, std::size_t) { return ++chunks < 0; }));
    EXPECT_EQ(chunks, 1);
}

}  // namespace
