#include "app/cchildframe.h"

#include <QCloseEvent>
#include <QIcon>

#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"

CChildFrame::CChildFrame(CVellmarView* view, QWidget* parent)
    : ChildFrameBase(parent)
    , m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    setWidget(view);
    Document* doc = view->document();
    connect(doc, &Document::titleChanged, this, &CChildFrame::updateTitle);
    connect(doc, &Document::viewsChanged, this, &CChildFrame::updateTitle);
    updateTitle();
}

CChildFrame::~CChildFrame()
{
    // The view goes with this frame's children, after this frame has stopped being one.
    disconnect(m_view->document(), nullptr, this, nullptr);
}

View* CChildFrame::activeView() const
{
    return m_view;
}

void CChildFrame::updateTitle()
{
    // A document shown in several windows numbers them, "Vellmar1:1", "Vellmar1:2".
    Document* doc = m_view->document();
    const auto& views = doc->views();
    QString title = doc->title();
    if (views.size() > 1) {
        const auto index = std::find(views.begin(), views.end(), static_cast<View*>(m_view)) - views.begin();
        title += QStringLiteral(":%1").arg(index + 1);
    }
    setWindowTitle(title);
    setAccessibleName(title);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    Document* doc = m_view->document();
    if (doc->views().size() == 1 && !doc->isClosing() && !doc->saveModified()) {
        event->ignore();
        return;
    }
    ChildFrameBase::closeEvent(event);
}
