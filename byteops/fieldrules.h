#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <span>

/// How one input field is checked when its dialog is accepted.
struct FieldRule {
    enum class Kind { Hex, Decimal };
    enum class Presence {
        Required,         // the text as typed must not be empty
        RequiredTrimmed,  // blanks at both ends are ignored, then it must not be empty
        Optional,         // blanks at both ends are ignored; empty passes
    };
    enum class Range {
        None,
        BelowFileSize,   // value < file size
        AtMostFileSize,  // value <= file size (inserting at the end appends)
    };

    int fieldId;
    Kind kind;
    Presence presence;
    Range range;
    const char* fillMessage;
    const char* invalidMessage;
    const char* rangeMessage;
};

/// The check sequences; each dialog runs one of them on OK.
enum class FieldRuleSet {
    AddressRange,  // start and end below the file size
    Mask,
    Shift,
    Replace,
    Insert,
    Paste,
    GoTo,
    Find,
    MarkBytes,
    MarkBlocks,
    MarkUnits,
    MarkPatternsType1,
    MarkPatternsType2,
    MarkPatternsType3,
};

struct FieldFailure {
    int fieldId;
    QString message;
    bool operator==(const FieldFailure&) const = default;
};

/// The rules of a set, in the order they run.
std::span<const FieldRule> fieldRules(FieldRuleSet set);

/// Runs the rules in order and returns the first failure, if any. Values are
/// compared with the file size as unsigned numbers, so that no 8-digit
/// address can stand for a negative offset.
std::optional<FieldFailure> checkFields(std::span<const FieldRule> rules,
                                        const std::function<QString(int fieldId)>& textOf, qint64 fileSize);

/// The text of a field as its rule reads it (trimmed where the rule trims).
QString ruleText(const FieldRule& rule, const QString& text);
