#include "byteops/fieldrules.h"

#include "byteops/fieldids.h"
#include "byteops/fieldtext.h"

namespace {

using Kind = FieldRule::Kind;
using Presence = FieldRule::Presence;
using Range = FieldRule::Range;

constexpr FieldRule kStart = {FieldId::StartAddress, Kind::Hex, Presence::Required, Range::BelowFileSize,
                              "Please fill the Start Address field!",
                              "Start Address field contains invalid characters!",
                              "The value in the Start Address field can not be the same or larger than the value of "
                              "file size!"};
constexpr FieldRule kEnd = {FieldId::EndAddress, Kind::Hex, Presence::Required, Range::BelowFileSize,
                            "Please fill the End Address field!", "End Address field contains invalid characters!",
                            "The value in the End Address field can not be the same or larger than the value of the "
                            "file size!"};

constexpr FieldRule withRange(FieldRule rule, Range range, const char* message)
{
    rule.range = range;
    rule.rangeMessage = message;
    return rule;
}

constexpr FieldRule kStartAtMost = withRange(
    kStart, Range::AtMostFileSize,
    "The value in the Start Address field can not be larger than the value of the file size!");

constexpr FieldRule optionalHex(int id, const char* invalidMessage)
{
    return {id, Kind::Hex, Presence::Optional, Range::None, "", invalidMessage, ""};
}

constexpr FieldRule kPatternHeader =
    optionalHex(FieldId::PatternHeader, "Header Value field contains invalid characters!");
constexpr FieldRule kPatternCount = {FieldId::PatternCount, Kind::Decimal, Presence::RequiredTrimmed, Range::None,
                                     "Please fill the Body Size field!",
                                     "Body Size (Dec) field contains invalid characters!", ""};
constexpr FieldRule kPatternTail = optionalHex(FieldId::PatternTail, "Tail Value field contains invalid characters!");

constexpr FieldRule kAddressRange[] = {kStart, kEnd};
constexpr FieldRule kMask[] = {
    kStart, kEnd,
    {FieldId::MaskValue, Kind::Hex, Presence::Required, Range::None, "Please fill the Mask Value field!",
     "Mask Value field contains invalid characters!", ""}};
constexpr FieldRule kShift[] = {
    kStart, kEnd,
    {FieldId::ShiftCount, Kind::Decimal, Presence::Required, Range::None,
     "Please fill the Number of Shift (Dec) field!", "Number of Shift (Dec) field contains invalid characters!", ""}};
constexpr FieldRule kReplace[] = {
    withRange(kStart, Range::BelowFileSize,
              "The value in the Start Address field can not be the same or larger than the value of the file size!"),
    kEnd,
    {FieldId::OldValue, Kind::Hex, Presence::Required, Range::None, "Please fill the Old Value field!",
     "Old Value field contains invalid characters!", ""},
    {FieldId::NewValue, Kind::Hex, Presence::Required, Range::None, "Please fill the New Value field!",
     "New Value field contains invalid characters!", ""}};
constexpr FieldRule kInsert[] = {
    kStartAtMost,
    {FieldId::InsertValue, Kind::Hex, Presence::Required, Range::None,
     "Please fill the Default Byte Value (Hex) field!", "Default Byte Value (Hex) field contains invalid characters!",
     ""},
    {FieldId::InsertCount, Kind::Decimal, Presence::Required, Range::None,
     "Please fill the Number of Bytes (Dec) field!", "Number of Bytes (Dec) field contains invalid characters!", ""}};
constexpr FieldRule kPaste[] = {kStartAtMost};
constexpr FieldRule kGoTo[] = {
    {FieldId::GoToAddress, Kind::Hex, Presence::Required, Range::BelowFileSize, "Please fill the Address field!",
     "Address field contains invalid characters!",
     "The value in the Address field can not be the same or larger than the value of the file size!"}};
constexpr FieldRule kFind[] = {
    withRange(kStart, Range::None, ""),
    {FieldId::FindWhat, Kind::Hex, Presence::Required, Range::None, "Please fill the Find What field!",
     "Find What field contains invalid characters!", ""}};
constexpr FieldRule kMarkBytes[] = {
    kStart,
    kEnd,
    optionalHex(FieldId::MarkValue1, "Value1 field contains invalid characters!"),
    optionalHex(FieldId::MarkValue2, "Value2 field contains invalid characters!"),
    optionalHex(FieldId::MarkValue3, "Value3 field contains invalid characters!"),
    optionalHex(FieldId::MarkValue4, "Value4 field contains invalid characters!")};
constexpr FieldRule kMarkBlocks[] = {
    optionalHex(FieldId::Block1Start, "Block1 Start Address field contains invalid characters!"),
    optionalHex(FieldId::Block1End, "Block1 End Address field contains invalid characters!"),
    optionalHex(FieldId::Block2Start, "Block2 Start Address field contains invalid characters!"),
    optionalHex(FieldId::Block2End, "Block2 End Address field contains invalid characters!"),
    optionalHex(FieldId::Block3Start, "Block3 Start Address field contains invalid characters!"),
    optionalHex(FieldId::Block3End, "Block3 End Address field contains invalid characters!")};
constexpr FieldRule kMarkUnits[] = {
    kStart, kEnd,
    {FieldId::UnitSize, Kind::Decimal, Presence::Required, Range::BelowFileSize,
     "Please fill the Number of Bytes in Each Unit (Dec) field!",
     "Number of Bytes in Each Unit (Dec) field contains invalid characters!",
     "The value in the Number of Bytes in Each Unit (Dec) field can not be the same or larger than the value of the "
     "file size!"}};
constexpr FieldRule kMarkPatternsType1[] = {kStart, kEnd, kPatternHeader, kPatternTail};
constexpr FieldRule kMarkPatternsType2[] = {kStart, kEnd, kPatternHeader, kPatternCount, kPatternTail};
constexpr FieldRule kMarkPatternsType3[] = {kStart, kEnd, kPatternHeader, kPatternCount};

constexpr std::span<const FieldRule> kRuleSets[] = {
    kAddressRange, kMask,       kShift,     kReplace,           kInsert,           kPaste,           kGoTo,
    kFind,         kMarkBytes,  kMarkBlocks, kMarkUnits, kMarkPatternsType1, kMarkPatternsType2, kMarkPatternsType3,
};
static_assert(std::size(kRuleSets) == std::size_t(FieldRuleSet::MarkPatternsType3) + 1);

/// The field's value as an unsigned number, for the range rules.
std::optional<quint64> numberOf(const FieldRule& rule, const QString& text)
{
    if (rule.kind == Kind::Hex)
        return FieldText::hexNumber(text);
    return FieldText::decimalNumber(text);
}

bool inRange(const FieldRule& rule, quint64 value, qint64 fileSize)
{
    const quint64 size = quint64(std::max<qint64>(fileSize, 0));
    switch (rule.range) {
    case Range::BelowFileSize:
        return value < size;
    case Range::AtMostFileSize:
        return value <= size;
    case Range::None:
        break;
    }
    return true;
}

std::optional<QString> checkOne(const FieldRule& rule, const QString& rawText, qint64 fileSize)
{
    const QString text = ruleText(rule, rawText);
    if (text.isEmpty()) {
        if (rule.presence == Presence::Optional)
            return std::nullopt;
        return QString::fromLatin1(rule.fillMessage);
    }
    const bool valid = rule.kind == Kind::Hex ? FieldText::allHexDigits(text) : FieldText::allDecimalDigits(text);
    if (!valid)
        return QString::fromLatin1(rule.invalidMessage);
    if (rule.range == Range::None)
        return std::nullopt;
    const std::optional<quint64> value = numberOf(rule, text);
    if (!value || !inRange(rule, *value, fileSize))
        return QString::fromLatin1(rule.rangeMessage);
    return std::nullopt;
}

}  // namespace

std::span<const FieldRule> fieldRules(FieldRuleSet set)
{
    return kRuleSets[std::size_t(set)];
}

QString ruleText(const FieldRule& rule, const QString& text)
{
    return rule.presence == Presence::Required ? text : text.trimmed();
}

std::optional<FieldFailure> checkFields(std::span<const FieldRule> rules,
                                        const std::function<QString(int fieldId)>& textOf, qint64 fileSize)
{
    for (const FieldRule& rule : rules) {
        if (std::optional<QString> message = checkOne(rule, textOf(rule.fieldId), fileSize))
            return FieldFailure{rule.fieldId, *message};
    }
    return std::nullopt;
}
