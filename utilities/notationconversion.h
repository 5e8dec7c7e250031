#pragma once

#include <QString>
#include <QStringView>

/// What the Notation Convert window shows for a number typed in one of its
/// two input fields: the number in the other base, and its binary form as
/// groups of four bits, each followed by one space. Both are empty when the
/// input, trimmed, is empty or holds anything but digits of its base.
struct NotationConversion {
    QString number;
    QString binary;

    bool operator==(const NotationConversion&) const = default;

    /// Hex input: the decimal of its 32 bits read as a signed number, and one
    /// group per typed digit, so leading zeros keep their groups.
    static NotationConversion fromHex(QStringView text);
    /// Decimal input: upper-case hex without leading zeros, and the groups of that hex text.
    static NotationConversion fromDecimal(QStringView text);
    /// Four bits and one space for each hex digit of the text.
    static QString binaryGroups(QStringView hexDigits);
};
