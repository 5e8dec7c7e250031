#include "docview/view.h"

#include "docview/document.h"

#include <QMdiSubWindow>

View::View(Document* document)
    : m_document(document)
{
    m_document->addView(this);
}

View::~View()
{
    m_document->removeView(this);
}

QWidget* View::frameWindow()
{
    for (QWidget* w = widget(); w; w = w->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(w))
            return w;
    return widget()->window();
}
