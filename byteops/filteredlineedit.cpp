#include "byteops/filteredlineedit.h"

#include <QApplication>
#include <QKeyEvent>

FilteredLineEdit::FilteredLineEdit(CharFilter accepts, int maxLength, QWidget* parent)
    : QLineEdit(parent)
    , m_accepts(accepts)
{
    setMaxLength(maxLength);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed.front().isPrint();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (printable && !command && !m_accepts(typed.front())) {
        QApplication::beep();
        emit refused(typed.front());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
