#include "byteops/hexfield.h"

#include <QKeyEvent>
#include <QValidator>

#include "byteops/fieldtext.h"

namespace {

/// Accepts any text and shows its letters in upper case, typed or pasted.
class UpperCaseValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

HexField::HexField(int maxLength, QWidget* parent)
    : FilteredLineEdit(FieldText::isHexDigit, maxLength, parent)
{
    setValidator(new UpperCaseValidator(this));
}

bool HexField::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && runOwnShortcut(static_cast<QKeyEvent*>(event), false)) {
        event->accept();
        return true;
    }
    return FilteredLineEdit::event(event);
}

void HexField::keyPressEvent(QKeyEvent* event)
{
    if (runOwnShortcut(event, true)) {
        event->accept();
        return;
    }
    FilteredLineEdit::keyPressEvent(event);
}

bool HexField::runOwnShortcut(const QKeyEvent* event, bool perform)
{
    struct OwnShortcut {
        int key;
        void (*edit)(QLineEdit&);
    };
    static constexpr OwnShortcut kOwnShortcuts[] = {
        {Qt::Key_C, [](QLineEdit& e) { e.copy(); }},
        {Qt::Key_V, [](QLineEdit& e) { e.paste(); }},
        {Qt::Key_X, [](QLineEdit& e) { e.cut(); }},
        {Qt::Key_Z, [](QLineEdit& e) { e.undo(); }},
    };
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::ControlModifier)
        return false;
    for (const OwnShortcut& shortcut : kOwnShortcuts) {
        if (shortcut.key == event->key()) {
            if (perform)
                shortcut.edit(*this);
            return true;
        }
    }
    return false;
}
