#include "byteops/decimalfield.h"

#include "byteops/fieldtext.h"

DecimalField::DecimalField(int maxLength, QWidget* parent)
    : FilteredLineEdit(FieldText::isDecimalDigit, maxLength, parent)
{
}
