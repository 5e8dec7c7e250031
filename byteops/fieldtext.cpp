#include "byteops/fieldtext.h"

#include <algorithm>

namespace FieldText {

bool isHexDigit(QChar c)
{
    return isDecimalDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allHexDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isHexDigit);
}

bool allDecimalDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isDecimalDigit);
}

std::optional<quint32> hexNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 8 || !allHexDigits(text))
        return std::nullopt;
    return quint32(text.toULong(nullptr, 16));
}

std::optional<qint32> decimalNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 9 || !allDecimalDigits(text))
        return std::nullopt;
    return qint32(text.toLong(nullptr, 10));
}

QString hexOrEmpty(qint64 value)
{
    return value < 0 ? QString() : QString::number(value, 16).toUpper();
}

}  // namespace FieldText
