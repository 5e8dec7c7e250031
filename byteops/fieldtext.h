#pragma once

#include <QString>
#include <QStringView>

#include <optional>

/// The character classes and number readings of the dialogs' input fields.
namespace FieldText {

bool isHexDigit(QChar c);
bool isDecimalDigit(QChar c);
bool allHexDigits(QStringView text);
bool allDecimalDigits(QStringView text);

/// A text of 1 to 8 hex digits as an unsigned 32-bit number.
std::optional<quint32> hexNumber(QStringView text);
/// A text of 1 to 9 decimal digits as a signed 32-bit number.
std::optional<qint32> decimalNumber(QStringView text);

/// An address or count in upper-case hex without leading zeros; empty when negative.
QString hexOrEmpty(qint64 value);

}  // namespace FieldText
