#pragma once

#include <QString>

#include "byteops/fieldrules.h"

/// Every parameter dialog that asks for addresses.
enum class RangeDialogKind {
    CopyBytes,
    CutBytes,
    DeleteBytes,
    PasteBytes,
    InsertBytes,
    ReplaceBytes,
    ReverseBytes,
    SelectBytes,
    GoTo,
    OnesComplement,
    TwosComplement,
    MaskBytes,
    BitwiseShift,
    FindBytes,
    MarkBytes,
    MarkBlocks,
    MarkUnits,
    MarkPatterns,
};

/// What the dialogs share apart from their widgets.
struct RangeDialogRow {
    RangeDialogKind kind;
    int dialogId;
    const char* title;
    const char* fileSizePrefix;  // "File Size: 0x " or, in two dialogs, "File Size: 0X "
    bool endClamped;             // an end (Go To: the address) past the last byte opens as the last byte
    FieldRuleSet rules;          // Mark Patterns picks its set by pattern type
};

const RangeDialogRow& rangeDialogRow(RangeDialogKind kind);

namespace RangeDialogText {
/// The line under the fields that tells the file size in hex and in decimal.
QString fileSizeLine(const RangeDialogRow& row, qint64 fileSize);
/// The end address a dialog opens with: clamped to the last byte where the row
/// says so (0 for an empty file), as given otherwise.
qint64 openingEnd(const RangeDialogRow& row, qint64 end, qint64 fileSize);
/// A one-byte value as exactly two upper-case hex digits.
QString byteValue(quint8 value);
}  // namespace RangeDialogText
