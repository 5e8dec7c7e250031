#include "byteops/fieldfailure.h"

#include <QLineEdit>

#include "prompt/prompter.h"

void reportFieldFailure(QLineEdit* field, const QString& message)
{
    Prompter::error(field->window(), message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
