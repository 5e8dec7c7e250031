#include "app/twopanechildframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>

#include "app/cbarredsplitterwnd.h"
#include "app/cbarredwnd.h"
#include "docview/document.h"
#include "hexdoc/hexview.h"

TwoPaneChildFrame::TwoPaneChildFrame(Document* document, QWidget* parent)
    : ChildFrameBase(parent)
    , m_doc(document)
    , m_splitter(new CBarredSplitterWnd)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    commands().onCommand(CommandId::NextPane, [this] { activatePane(1); });
    commands().onCommand(CommandId::PrevPane, [this] { activatePane(-1); });
    setWindowTitle(document->title());
    setAccessibleName(document->title());
    connect(document, &Document::titleChanged, this, [this] { setWindowTitle(m_doc->title()); });
}

TwoPaneChildFrame::~TwoPaneChildFrame()
{
    disconnect(m_doc, nullptr, this, nullptr);
}

CBarredWnd* TwoPaneChildFrame::addPane(HexView* view, const QString& label)
{
    m_panes.push_back(view);
    if (!m_activePane)
        m_activePane = view;
    CBarredWnd* pane = m_splitter->addPane(view, label);
    view->onInitialUpdate();
    connect(qApp, &QApplication::focusChanged, view, [this, view](QWidget*, QWidget* now) {
        if (now == view)
            setActivePane(view);
    });
    return pane;
}

View* TwoPaneChildFrame::activeView() const
{
    return m_activePane;
}

void TwoPaneChildFrame::activatePane(int step)
{
    if (CBarredWnd* pane = m_splitter->paneBeside(step)) {
        setActivePane(static_cast<HexView*>(pane->view()));
        m_activePane->setFocus();
    }
}

void TwoPaneChildFrame::setActivePane(HexView* view)
{
    if (view == m_activePane)
        return;
    m_activePane = view;
    emit activeViewChanged();
}

void TwoPaneChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_doc->isClosing() && !m_doc->saveModified()) {
        event->ignore();
        return;
    }
    ChildFrameBase::closeEvent(event);
}
