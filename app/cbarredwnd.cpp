#include "app/cbarredwnd.h"

#include <QVBoxLayout>

#include "app/cpanestatusbar.h"

CBarredWnd::CBarredWnd(QWidget* view, const QString& barText, QWidget* parent)
    : QWidget(parent)
    , m_view(view)
    , m_bar(new CPaneStatusBar(barText, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(view, 1);
    setFocusProxy(view);
}
