#include <gtest/gtest.h>

#include <QStringList>

#include <map>

#include "byteops/fieldids.h"
#include "byteops/fieldrules.h"
#include "byteops/hexbytestring.h"
#include "byteops/rangedialogrows.h"
#include "support/qstringprint.h"

namespace {

using Texts = std::map<int, QString>;

std::optional<FieldFailure> check(FieldRuleSet set, const Texts& texts, qint64 fileSize)
{
    return checkFields(fieldRules(set), [&](int id) { return texts.count(id) ? texts.at(id) : QString(); }, fileSize);
}

/// A text every rule accepts for a 256-byte file.
const QString kValid = QStringLiteral("10");

/// A text that breaks the rule at the given step: 0 empty, 1 invalid, 2 out of range.
std::optional<QString> badText(const FieldRule& rule, int step)
{
    switch (step) {
    case 0: return rule.presence == FieldRule::Presence::Optional ? std::nullopt : std::optional(QString());
    case 1: return QStringLiteral("1G");
    default:
        if (rule.range == FieldRule::Range::None)
            return std::nullopt;
        return rule.kind == FieldRule::Kind::Hex ? QStringLiteral("FFFFFFFF") : QStringLiteral("999999999");
    }
}

const QString kS1 = "Please fill the Start Address field!";
const QString kS2 = "Start Address field contains invalid characters!";
const QString kS3 = "The value in the Start Address field can not be the same or larger than the value of file size!";
const QString kS3The =
    "The value in the Start Address field can not be the same or larger than the value of the file size!";
const QString kS3Larger = "The value in the Start Address field can not be larger than the value of the file size!";
const QString kS4 = "Please fill the End Address field!";
const QString kS5 = "End Address field contains invalid characters!";
const QString kS6 = "The value in the End Address field can not be the same or larger than the value of the file size!";
const QStringList kStandard{kS1, kS2, kS3, kS4, kS5, kS6};

/// Every message a rule set can give, in check order: each field is broken in
/// turn with every later field broken too, so a message only comes out when
/// every earlier check has passed, and it must name the field it came from.
QStringList messagesInCheckOrder(FieldRuleSet set)
{
    const std::span<const FieldRule> rules = fieldRules(set);
    QStringList produced;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        for (int step = 0; step < 3; ++step) {
            const std::optional<QString> bad = badText(rules[i], step);
            if (!bad)
                continue;
            Texts texts;
            for (std::size_t j = 0; j < rules.size(); ++j)
                texts[rules[j].fieldId] = j < i ? kValid : QStringLiteral("?");
            texts[rules[i].fieldId] = *bad;
            const std::optional<FieldFailure> failure = check(set, texts, 256);
            EXPECT_TRUE(failure && failure->fieldId == rules[i].fieldId) << int(set) << " rule " << i << " step " << step;
            produced << (failure ? failure->message : QString());
        }
    }
    return produced;
}

}  // namespace

TEST(FieldRules, EveryMessageNamesItsFieldInTheFixedWording)
{
    for (int set = int(FieldRuleSet::AddressRange); set <= int(FieldRuleSet::MarkPatternsType3); ++set) {
        for (const QString& message : messagesInCheckOrder(FieldRuleSet(set))) {
            const bool empty = message.startsWith("Please fill the ") && message.endsWith(" field!");
            const bool invalid = message.endsWith(" field contains invalid characters!");
            const bool range = message.startsWith("The value in the ") && message.endsWith("file size!");
            EXPECT_EQ(int(empty) + int(invalid) + int(range), 1) << set << ": " << message.toStdString();
        }
    }
}

TEST(FieldRules, MessagesInCheckOrder)
{
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::AddressRange), kStandard);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Shift),
              (kStandard + QStringList{"Please fill the Number of Shift (Dec) field!",
                                       "Number of Shift (Dec) field contains invalid characters!"}));
    // The same check words its message three ways across the dialogs.
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Replace).at(2), kS3The);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Paste), (QStringList{kS1, kS2, kS3Larger}));
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Insert).at(2), kS3Larger);
    // Optional fields are only checked for their characters; Find's start has no range.
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkBlocks).size(), 6);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkBytes).size(), 10);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Find),
              (QStringList{kS1, kS2, "Please fill the Find What field!", "Find What field contains invalid characters!"}));
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkPatternsType2).mid(6),
              (QStringList{"Header Value field contains invalid characters!", "Please fill the Body Size field!",
                           "Body Size (Dec) field contains invalid characters!",
                           "Tail Value field contains invalid characters!"}));
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkUnits).last(),
              "The value in the Number of Bytes in Each Unit (Dec) field can not be the same or larger than the value "
              "of the file size!");
}

TEST(FieldRules, RangesAndOptionalFields)
{
    using Id = std::pair<int, QString>;
    const int start = FieldId::StartAddress, end = FieldId::EndAddress;
    struct Case {
        FieldRuleSet set;
        Texts texts;
        qint64 fileSize;
        std::optional<QString> message;
    };
    const Case cases[] = {
        // An empty file has no address: the standard block always stops at S3.
        {FieldRuleSet::AddressRange, {Id{start, "0"}, Id{end, "0"}}, 0, kS3},
        {FieldRuleSet::AddressRange, {Id{start, "ff"}, Id{end, "100"}}, 256, kS6},
        {FieldRuleSet::AddressRange, {Id{start, "F0"}, Id{end, "10"}}, 256, std::nullopt},
        {FieldRuleSet::AddressRange, {Id{start, " 1"}, Id{end, "0"}}, 256, kS2},
        // Inserting and pasting at the file size appends; an empty file takes start 0.
        {FieldRuleSet::Paste, {Id{start, "0"}}, 0, std::nullopt},
        {FieldRuleSet::Paste, {Id{start, "101"}}, 256, kS3Larger},
        {FieldRuleSet::Insert,
         {Id{start, "100"}, Id{FieldId::InsertValue, "00"}, Id{FieldId::InsertCount, "0"}},
         256,
         std::nullopt},
        {FieldRuleSet::GoTo, {Id{FieldId::GoToAddress, "0"}}, 0,
         "The value in the Address field can not be the same or larger than the value of the file size!"},
        // The Find start address is not compared with the file size.
        {FieldRuleSet::Find, {Id{start, "FFFFFFFF"}, Id{FieldId::FindWhat, "AB"}}, 16, std::nullopt},
        {FieldRuleSet::MarkBytes, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::MarkValue2, " 7E "}}, 1, std::nullopt},
        {FieldRuleSet::MarkBlocks, {Id{FieldId::Block2End, "FFFFFFFF"}}, 1, std::nullopt},
        {FieldRuleSet::MarkUnits, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::UnitSize, "4"}}, 4,
         "The value in the Number of Bytes in Each Unit (Dec) field can not be the same or larger than the value of "
         "the file size!"},
        {FieldRuleSet::MarkPatternsType2, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::PatternCount, " 0 "}}, 1,
         std::nullopt},
        {FieldRuleSet::MarkPatternsType3, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::PatternCount, "  "}}, 1,
         "Please fill the Body Size field!"},
    };
    for (const Case& c : cases) {
        const std::optional<FieldFailure> failure = check(c.set, c.texts, c.fileSize);
        EXPECT_EQ(failure ? std::optional(failure->message) : std::nullopt, c.message)
            << int(c.set) << " " << (c.texts.count(start) ? qPrintable(c.texts.at(start)) : "");
    }
}

TEST(RangeDialogText, FileSizeLineAndOpeningEnd)
{
    EXPECT_EQ(RangeDialogText::fileSizeLine(rangeDialogRow(RangeDialogKind::CopyBytes), 4096),
              "File Size: 0x 1000 Bytes (In Hex) or 4096 Bytes (In Decimal)");
    EXPECT_EQ(RangeDialogText::fileSizeLine(rangeDialogRow(RangeDialogKind::BitwiseShift), 255),
              "File Size: 0X FF Bytes (In Hex) or 255 Bytes (In Decimal)");
    const RangeDialogRow& copy = rangeDialogRow(RangeDialogKind::CopyBytes);
    const RangeDialogRow& ones = rangeDialogRow(RangeDialogKind::OnesComplement);
    EXPECT_EQ(RangeDialogText::openingEnd(copy, 20, 16), 15);
    EXPECT_EQ(RangeDialogText::openingEnd(copy, 5, 0), 0);
    EXPECT_EQ(RangeDialogText::openingEnd(copy, -1, 16), -1);
    EXPECT_EQ(RangeDialogText::openingEnd(ones, 20, 16), 20);
    EXPECT_EQ(RangeDialogText::byteValue(0x0A), "0A");
}

TEST(ParseHexValue, DigitsToBytes)
{
    const std::pair<const char*, ByteBuffer> cases[] = {
        {"ABC", {0x0A, 0xBC}},
        {"12345678", {0x12, 0x34, 0x56, 0x78}},
        {" ab ", {0xAB}},
        {"", {}},
        {"123456789", {}},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(ParseHexValue(QString::fromLatin1(text)), bytes) << text;
}
