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

std::optional<QString> check(FieldRuleSet set, const Texts& texts, qint64 fileSize)
{
    const auto failure =
        checkFields(fieldRules(set), [&](int id) { return texts.count(id) ? texts.at(id) : QString(); }, fileSize);
    return failure ? std::optional(failure->message) : std::nullopt;
}

/// Every message a rule set can give, in check order: each field is broken in
/// turn (empty, invalid, out of range) with every later field broken too, so a
/// message only comes out when every earlier check has passed, and it must
/// name the field it came from.
QStringList messagesInCheckOrder(FieldRuleSet set)
{
    const std::span<const FieldRule> rules = fieldRules(set);
    QStringList produced;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const bool hex = rules[i].kind == FieldRule::Kind::Hex;
        const std::optional<QString> bad[] = {
            rules[i].presence == FieldRule::Presence::Optional ? std::nullopt : std::optional(QString()), "1G",
            rules[i].range == FieldRule::Range::None ? std::nullopt : std::optional(hex ? "FFFFFFFF" : "999999999")};
        for (const std::optional<QString>& text : bad) {
            if (!text)
                continue;
            Texts texts;
            for (std::size_t j = 0; j < rules.size(); ++j)
                texts[rules[j].fieldId] = j < i ? QStringLiteral("10") : QStringLiteral("?");
            texts[rules[i].fieldId] = *text;
            const auto failure = checkFields(rules, [&](int id) { return texts[id]; }, 256);
            EXPECT_TRUE(failure && failure->fieldId == rules[i].fieldId) << int(set) << " rule " << i;
            produced << (failure ? failure->message : QString());
        }
    }
    return produced;
}

const QStringList kStandard{
    "Please fill the Start Address field!", "Start Address field contains invalid characters!",
    "The value in the Start Address field can not be the same or larger than the value of file size!",
    "Please fill the End Address field!", "End Address field contains invalid characters!",
    "The value in the End Address field can not be the same or larger than the value of the file size!"};

}  // namespace

TEST(FieldRules, MessagesInCheckOrder)
{
    for (int set = int(FieldRuleSet::AddressRange); set <= int(FieldRuleSet::MarkPatternsType3); ++set)
        messagesInCheckOrder(FieldRuleSet(set));
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::AddressRange), kStandard);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::Shift),
              (kStandard + QStringList{"Please fill the Number of Shift (Dec) field!",
                                       "Number of Shift (Dec) field contains invalid characters!"}));
    // The dialog tests walk the Insert, Paste, Replace, Mask and Find sets.
    // Optional fields are only checked for their characters.
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkBlocks).size(), 6);
    EXPECT_EQ(messagesInCheckOrder(FieldRuleSet::MarkPatternsType2).mid(6),
              (QStringList{"Header Value field contains invalid characters!", "Please fill the Body Size field!",
                           "Body Size (Dec) field contains invalid characters!",
                           "Tail Value field contains invalid characters!"}));
}

TEST(FieldRules, RangesAndOptionalFields)
{
    using Id = std::pair<int, QString>;
    const int start = FieldId::StartAddress, end = FieldId::EndAddress;
    const struct {
        FieldRuleSet set;
        Texts texts;
        qint64 fileSize;
        std::optional<QString> message;
    } cases[] = {
        // An empty file has no address; values compare unsigned, so no address stands for a negative offset.
        {FieldRuleSet::AddressRange, {Id{start, "0"}, Id{end, "0"}}, 0, kStandard[2]},
        {FieldRuleSet::AddressRange, {Id{start, "F0"}, Id{end, "FFFFFFFF"}}, 256, kStandard[5]},
        {FieldRuleSet::AddressRange, {Id{start, " 1"}, Id{end, "0"}}, 256, kStandard[1]},
        // Inserting at the file size appends (the dialog tests paste into an empty file, find from past the end).
        {FieldRuleSet::Insert, {Id{start, "100"}, Id{FieldId::InsertValue, "00"}, Id{FieldId::InsertCount, "0"}},
         256, std::nullopt},
        {FieldRuleSet::MarkBytes, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::MarkValue2, " 7E "}}, 1, std::nullopt},
        {FieldRuleSet::MarkUnits, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::UnitSize, "4"}}, 4,
         "The value in the Number of Bytes in Each Unit (Dec) field can not be the same or larger than the value of "
         "the file size!"},
        {FieldRuleSet::MarkPatternsType2, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::PatternCount, " 0 "}}, 1,
         std::nullopt},
        {FieldRuleSet::MarkPatternsType3, {Id{start, "0"}, Id{end, "0"}, Id{FieldId::PatternCount, "  "}}, 1,
         "Please fill the Body Size field!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(check(c.set, c.texts, c.fileSize), c.message) << int(c.set);
}

TEST(RangeDialogText, FileSizeLineOpeningEndAndHexValues)
{
    const RangeDialogRow& copy = rangeDialogRow(RangeDialogKind::CopyBytes);
    EXPECT_EQ(RangeDialogText::fileSizeLine(copy, 4096), "File Size: 0x 1000 Bytes (In Hex) or 4096 Bytes (In Decimal)");
    EXPECT_EQ(RangeDialogText::openingEnd(copy, 20, 16), 15);
    EXPECT_EQ(RangeDialogText::openingEnd(copy, 5, 0), 0);
    EXPECT_EQ(RangeDialogText::openingEnd(copy, -1, 16), -1);
    EXPECT_EQ(RangeDialogText::openingEnd(rangeDialogRow(RangeDialogKind::OnesComplement), 20, 16), 20);
    const std::pair<const char*, ByteBuffer> values[] = {
        {"ABC", {0x0A, 0xBC}}, {"12345678", {0x12, 0x34, 0x56, 0x78}}, {" ab ", {0xAB}}, {"", {}}, {"123456789", {}}};
    for (const auto& [text, bytes] : values)
        EXPECT_EQ(ParseHexValue(QString::fromLatin1(text)), bytes) << text;
}
