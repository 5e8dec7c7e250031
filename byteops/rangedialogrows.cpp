#include "byteops/rangedialogrows.h"

#include <algorithm>

namespace {

constexpr char kLower[] = "File Size: 0x ";
constexpr char kUpper[] = "File Size: 0X ";

constexpr RangeDialogRow kRows[] = {
    {RangeDialogKind::CopyBytes, 135, "Copy Bytes", kLower, true, FieldRuleSet::AddressRange},
    {RangeDialogKind::CutBytes, 136, "Cut Bytes", kLower, true, FieldRuleSet::AddressRange},
    {RangeDialogKind::DeleteBytes, 137, "Delete Bytes", kLower, true, FieldRuleSet::AddressRange},
    {RangeDialogKind::PasteBytes, 143, "Paste Bytes", kLower, false, FieldRuleSet::Paste},
    {RangeDialogKind::InsertBytes, 138, "Insert Bytes", kLower, false, FieldRuleSet::Insert},
    {RangeDialogKind::ReplaceBytes, 144, "Replace Bytes", kLower, true, FieldRuleSet::Replace},
    {RangeDialogKind::ReverseBytes, 145, "Reverse Bytes Sequence", kLower, true, FieldRuleSet::AddressRange},
    {RangeDialogKind::SelectBytes, 146, "Select Bytes", kLower, true, FieldRuleSet::AddressRange},
    {RangeDialogKind::GoTo, 147, "Go To", kLower, true, FieldRuleSet::GoTo},
    {RangeDialogKind::OnesComplement, 130, "1's Complement", kLower, false, FieldRuleSet::AddressRange},
    {RangeDialogKind::TwosComplement, 131, "2's Complement", kLower, false, FieldRuleSet::AddressRange},
    {RangeDialogKind::MaskBytes, 133, "Mask Bytes", kLower, false, FieldRuleSet::Mask},
    {RangeDialogKind::BitwiseShift, 134, "Bitwise Shift On Bytes", kUpper, false, FieldRuleSet::Shift},
    {RangeDialogKind::FindBytes, 148, "Find Bytes (in Hex)", kLower, false, FieldRuleSet::Find},
    {RangeDialogKind::MarkBytes, 140, "Mark Bytes", kUpper, false, FieldRuleSet::MarkBytes},
    {RangeDialogKind::MarkBlocks, 141, "Mark Blocks", kLower, false, FieldRuleSet::MarkBlocks},
    {RangeDialogKind::MarkUnits, 149, "Mark Units", kLower, false, FieldRuleSet::MarkUnits},
    {RangeDialogKind::MarkPatterns, 139, "Mark Patterns", kLower, false, FieldRuleSet::MarkPatternsType1},
};

}  // namespace

const RangeDialogRow& rangeDialogRow(RangeDialogKind kind)
{
    const RangeDialogRow& row = kRows[std::size_t(kind)];
    Q_ASSERT(row.kind == kind);
    return row;
}

namespace RangeDialogText {

QString fileSizeLine(const RangeDialogRow& row, qint64 fileSize)
{
    return QString::fromLatin1(row.fileSizePrefix) + QString::number(fileSize, 16).toUpper()
           + QStringLiteral(" Bytes (In Hex) or ") + QString::number(fileSize) + QStringLiteral(" Bytes (In Decimal)");
}

qint64 openingEnd(const RangeDialogRow& row, qint64 end, qint64 fileSize)
{
    if (!row.endClamped || end < fileSize)
        return end;
    return std::max<qint64>(fileSize - 1, 0);
}

QString byteValue(quint8 value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace RangeDialogText
