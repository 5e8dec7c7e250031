#include "app/cpanestatusbar.h"

#include <QLabel>

CPaneStatusBar::CPaneStatusBar(const QString& text, QWidget* parent)
    : QStatusBar(parent)
    , m_field(new QLabel(this))
{
    setSizeGripEnabled(false);
    m_field->setFrameShape(QFrame::Panel);
    m_field->setFrameShadow(QFrame::Sunken);
    addWidget(m_field, 1);
    setText(text);
}

QString CPaneStatusBar::text() const
{
    return m_field->text();
}

void CPaneStatusBar::setText(const QString& text)
{
    m_field->setText(text);
    m_field->setAccessibleName(text);
    setAccessibleName(text);
}
