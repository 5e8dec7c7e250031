#include "utilities/notationconversion.h"

#include "byteops/fieldtext.h"

NotationConversion NotationConversion::fromHex(QStringView text)
{
    const QStringView digits = text.trimmed();
    const std::optional<quint32> value = FieldText::hexNumber(digits);
    if (!value)
        return {};
    return {QString::number(qint32(*value)), binaryGroups(digits)};
}

NotationConversion NotationConversion::fromDecimal(QStringView text)
{
    const std::optional<qint32> value = FieldText::decimalNumber(text.trimmed());
    if (!value)
        return {};
    const QString hex = FieldText::hexOrEmpty(*value);
    return {hex, binaryGroups(hex)};
}

QString NotationConversion::binaryGroups(QStringView hexDigits)
{
    QString groups;
    for (qsizetype i = 0; i < hexDigits.size(); ++i) {
        const quint32 nibble = FieldText::hexNumber(hexDigits.sliced(i, 1)).value_or(0);
        groups += QString::number(nibble, 2).rightJustified(4, u'0') + u' ';
    }
    return groups;
}
