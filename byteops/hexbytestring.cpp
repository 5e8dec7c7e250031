#include "byteops/hexbytestring.h"

#include "byteops/fieldtext.h"

ByteBuffer ParseHexValue(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 8 || !FieldText::allHexDigits(digits))
        return {};
    ByteBuffer bytes;
    qsizetype from = 0;
    if (digits.size() % 2 != 0) {
        bytes.push_back(std::uint8_t(digits.left(1).toUInt(nullptr, 16)));
        from = 1;
    }
    for (; from < digits.size(); from += 2)
        bytes.push_back(std::uint8_t(digits.mid(from, 2).toUInt(nullptr, 16)));
    return bytes;
}
