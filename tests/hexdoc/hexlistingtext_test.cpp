#include "hexdoc/hexlistingtext.h"
#include "support/bytemodelof.h"
#include "hexdoc/listingexport.h"
#include "hexdoc/listingprefixes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

struct NamedPrefix {
    const char* name;
    QByteArray text;
};

std::vector<NamedPrefix> allPrefixes()
{
    return {{"plain", ListingPrefix::plainView()},
            {"send", ListingPrefix::sendPane()},
            {"receive", ListingPrefix::receivePane()},
            {"compare", ListingPrefix::comparePane()}};
}

/// The listing built the slow, obvious way: a string of spaces long enough for
/// every line, each byte written at its positions, trailing white space trimmed.
QByteArray naiveListing(const QByteArray& prefix, const ByteBuffer& bytes)
{
    const qint64 n = qint64(bytes.size());
    if (n == 0)
        return prefix + "\n0000000";
    const qint64 base = prefix.size() + 1;
    QByteArray text = prefix + QByteArray(qsizetype((n / 16) * 78 + 200), ' ');
    for (qint64 i = 0; i < n; ++i) {
        const qint64 lineStart = base + 77 * (i / 16);
        const int k = int(i % 16);
        const qint64 first = lineStart + 9 + 3 * k + (k >= 8 ? 1 : 0);
        char digits[16];
        if (k == 0) {
            text[first - 10] = '\n';
            std::snprintf(digits, sizeof digits, "%07X", unsigned(i / 16));
            text.replace(first - 9, 7, digits);
        }
        std::snprintf(digits, sizeof digits, "%02X", unsigned(bytes[std::size_t(i)]));
        text.replace(first, 2, digits);
        const std::uint8_t byte = bytes[std::size_t(i)];
        text[lineStart + 60 + k] = byte >= 0x20 && byte <= 0x7E ? char(byte) : '.';
    }
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
        text.chop(1);
    return text;
}

ByteBuffer randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    ByteBuffer bytes(size);
    for (auto& byte : bytes)
        byte = std::uint8_t(random());
    return bytes;
}

ByteBuffer everyByteValue(std::size_t size)
{
    ByteBuffer bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(i);
    return bytes;
}

ByteBuffer withSpaceTail(ByteBuffer bytes, std::size_t spaces)
{
    for (std::size_t i = bytes.size() - std::min(spaces, bytes.size()); i < bytes.size(); ++i)
        bytes[i] = 0x20;
    return bytes;
}

struct NamedBuffer {
    std::string name;
    ByteBuffer bytes;
};

std::vector<NamedBuffer> sampleBuffers()
{
    std::vector<NamedBuffer> buffers;
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 4096u + 7u}) {
        const std::string n = std::to_string(size);
        buffers.push_back({"random " + n, randomBytes(size, unsigned(size) + 1)});
        buffers.push_back({"values " + n, everyByteValue(size)});
        buffers.push_back({"space tail 3 of " + n, withSpaceTail(randomBytes(size, 7), 3)});
        buffers.push_back({"all spaces " + n, ByteBuffer(size, 0x20)});
    }
    buffers.push_back({"space tail 20 of 40", withSpaceTail(randomBytes(40, 9), 20)});
    buffers.push_back({"space tail 16 of 48", withSpaceTail(randomBytes(48, 9), 16)});
    buffers.push_back({"every value twice", everyByteValue(512)});
    for (unsigned seed = 1; seed <= 8; ++seed)
        buffers.push_back({"seed " + std::to_string(seed), randomBytes(seed * 37 % 300, seed)});
    return buffers;
}

/// Runs check on every prefix with every sample buffer, naming the pair on failure.
template <typename Check>
void forEachListing(Check check)
{
    for (const NamedPrefix& prefix : allPrefixes()) {
        for (const NamedBuffer& buffer : sampleBuffers()) {
            SCOPED_TRACE(std::string(prefix.name) + " prefix, " + buffer.name);
            const auto listingModel = modelOf(buffer.bytes);
            const HexListingText listing(prefix.text, *listingModel);
            check(listing, naiveListing(prefix.text, buffer.bytes));
        }
    }
}

TEST(ListingPrefixes, LengthsAndTexts)
{
    EXPECT_EQ(ListingPrefix::plainView(), QByteArray(HexGeometry::kHeaderText));
    EXPECT_EQ(ListingPrefix::sendPane(),
              "------------------------- Data Sending Pane --------------------------------\n\n"
              "Address: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n");
    EXPECT_EQ(ListingPrefix::receivePane(),
              "------------------------- Data Receiving Pane ------------------------------\n\n"
              "Address: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n");
    EXPECT_EQ(ListingPrefix::comparePane(),
              "\nAddress: 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   0123456789ABCDEF\n"
                  + QByteArray(77, ' '));
    EXPECT_EQ(ListingPrefix::sendPane().size(), 155);
}

// Spot rows beside the naive listing, which covers every size.
TEST(HexListingText, OneLineWithItsCharacterCellsAndTrailingSpacesTrimmed)
{
    const auto letter = modelOf({0x41});
    const HexListingText one(ListingPrefix::plainView(), *letter);
    EXPECT_EQ(one.text(0, one.length()), QByteArray(HexGeometry::kHeaderText) + "\n0000000  41" + QByteArray(49, ' ') + "A");
    EXPECT_EQ(one.text(87, 89), "41");
    EXPECT_EQ(one.layout().initialCaret(), 87);
    const auto trailing = modelOf({0x41, 0x20, 0x20});
    const HexListingText spaces(ListingPrefix::plainView(), *trailing);
    EXPECT_TRUE(spaces.text(0, spaces.length()).endsWith("\n0000000  41 20 20" + QByteArray(43, ' ') + "A"));
}

TEST(HexListingText, MatchesTheNaiveListing)
{
    forEachListing([](const HexListingText& listing, const QByteArray& expected) {
        ASSERT_EQ(listing.length(), expected.size());
        EXPECT_EQ(listing.text(0, listing.length()), expected);
    });
}

TEST(HexListingText, LineModelMatchesTheNaiveListing)
{
    forEachListing([](const HexListingText& listing, const QByteArray& expected) {
        std::vector<TextPos> starts{0};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            if (expected[i] == '\n')
                starts.push_back(i + 1);
        }
        ASSERT_EQ(listing.lineCount(), qint64(starts.size()));
        for (std::size_t line = 0; line < starts.size(); ++line)
            EXPECT_EQ(listing.lineStart(qint64(line)), starts[line]) << "line " << line;
        std::size_t line = 0;
        for (TextPos pos = 0; pos <= expected.size(); ++pos) {
            while (line + 1 < starts.size() && starts[line + 1] <= pos)
                ++line;
            ASSERT_EQ(listing.lineOfPosition(pos), qint64(line)) << "position " << pos;
        }
    });
}

TEST(HexListingText, RandomWindowsMatchTheNaiveListing)
{
    std::mt19937 random(2024);
    forEachListing([&random](const HexListingText& listing, const QByteArray& expected) {
        for (int i = 0; i < 300; ++i) {
            TextPos from = TextPos(random() % std::uint32_t(expected.size() + 1));
            TextPos to = TextPos(random() % std::uint32_t(expected.size() + 1));
            if (from > to)
                std::swap(from, to);
            QByteArray out("kept");
            listing.appendText(from, to, out);
            ASSERT_EQ(out, "kept" + expected.mid(from, to - from)) << "window " << from << ".." << to;
        }
    });
}

TEST(HexListingText, ReplaceAcceptsOnlyTheCurrentText)
{
    const ByteBuffer bytes = everyByteValue(40);
    const auto listingModel = modelOf(bytes);
    HexListingText listing(ListingPrefix::sendPane(), *listingModel);
    const HexPositions hex = listing.layout().HexPositionOfOffset(0x21);
    EXPECT_TRUE(listing.replace(hex.first, hex.second + 1, "21"));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, "22"));
    EXPECT_FALSE(listing.replace(hex.first, hex.second + 1, "2"));
    EXPECT_TRUE(listing.replace(0, listing.length(), listing.text(0, listing.length())));
    EXPECT_FALSE(listing.replace(listing.length(), listing.length() + 1, " "));
}

TEST(HexListingText, ReadsBytesChangedInPlace)
{
    const auto model = modelOf(everyByteValue(20));
    HexListingText listing(ListingPrefix::plainView(), *model);
    const std::uint8_t z = 0x7A;
    model->setBytes(0x12, std::span(&z, 1));
    const HexPositions hex = listing.layout().HexPositionOfOffset(0x12);
    EXPECT_EQ(listing.text(hex.first, hex.second + 1), "7A");
    const TextPos cell = listing.layout().CharPositionOfHexPosition(hex.first);
    EXPECT_EQ(listing.text(cell, cell + 1), "z");
    const TextRange changed = listing.bytesChanged(0x12, 0x12);
    EXPECT_LE(changed.start, hex.first);
    EXPECT_GE(changed.end, cell + 1);
}

TEST(HexListingText, TrimmedSpacesOfTheLastLineComeBackWhenTheirBytesChange)
{
    const auto model = modelOf({0x78, 0x78, 0x20, 0x20});
    HexListingText listing(ListingPrefix::plainView(), *model);
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx"));
    for (const std::uint8_t value : {std::uint8_t(0x43), std::uint8_t(0x20), std::uint8_t(0x00)}) {
        model->setBytes(3, std::span(&value, 1));
        listing.bytesChanged(3, 3);
        const HexListingText fresh(ListingPrefix::plainView(), *model);
        EXPECT_EQ(listing.length(), fresh.length()) << int(value);
        EXPECT_EQ(listing.text(0, listing.length()), fresh.text(0, fresh.length())) << int(value);
    }
    EXPECT_TRUE(listing.text(0, listing.length()).endsWith("xx ."));
}

TEST(HexListingText, LargeBufferLinesAreComputedNotStored)
{
    // 64 MiB of bytes: about 300 million characters, never built as a whole.
    const ByteBuffer bytes(std::size_t(64) << 20, 0xAB);
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::comparePane(), *listingModel);
    const qint64 lastLine = listing.lineCount() - 1;
    EXPECT_EQ(listing.lineCount(), 3 + (qint64(64) << 20) / 16);
    EXPECT_EQ(listing.lineOfPosition(listing.length()), lastLine);
    EXPECT_EQ(listing.text(listing.lineStart(lastLine), listing.length()),
              "03FFFFF  " + QByteArray("AB AB AB AB AB AB AB AB  AB AB AB AB AB AB AB AB   ")
                  + QByteArray(16, '.'));
}

TEST(WriteListing, StreamsTheWholeTextInChunks)
{
    const ByteBuffer bytes = randomBytes(std::size_t(3) << 20, 5);
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::plainView(), *listingModel);
    QByteArray written;
    int chunks = 0;
    const bool ok = writeListing(listing, [&](const char* data, std::size_t size) {
        written.append(data, qsizetype(size));
        ++chunks;
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_GT(chunks, 1);
    EXPECT_EQ(written, naiveListing(ListingPrefix::plainView(), bytes));
}

TEST(WriteListing, StopsWhenTheSinkRefuses)
{
    const ByteBuffer bytes = randomBytes(std::size_t(3) << 20, 6);
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::plainView(), *listingModel);
    int chunks = 0;
    EXPECT_FALSE(writeListing(listing, [&](const char*, std::size_t) {
        ++chunks;
        return false;
    }));
    EXPECT_EQ(chunks, 1);
}

TEST(WriteListing, EmptyBufferWritesHeaderAndLineZero)
{
    const ByteBuffer bytes;
    const auto listingModel = modelOf(bytes);
    const HexListingText listing(ListingPrefix::receivePane(), *listingModel);
    QByteArray written;
    EXPECT_TRUE(writeListing(listing, [&](const char* data, std::size_t size) {
        written.append(data, qsizetype(size));
        return true;
    }));
    EXPECT_EQ(written, ListingPrefix::receivePane() + "\n0000000");
}

}  // namespace
