#include "app/csendreceivechildframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>

#include "app/cbarredsplitterwnd.h"
#include "app/cbarredwnd.h"
#include "companel/creceiveview.h"
#include "companel/csendview.h"

CSendReceiveChildFrame::CSendReceiveChildFrame(CSendReceiveDoc* document, QWidget* parent)
    : ChildFrameBase(parent)
    , m_doc(document)
    , m_splitter(new CBarredSplitterWnd(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    setWidget(m_splitter);
    addPane(0, new CSendView(document), QStringLiteral(" Send Pane"));
    addPane(1, new CReceiveView(document), QStringLiteral(" Receive Pane"));
    m_activePane = m_panes[0];
    addCommands();
    setWindowTitle(document->title());
    setAccessibleName(document->title());
    connect(document, &Document::titleChanged, this, [this] { setWindowTitle(m_doc->title()); });
}

CSendReceiveChildFrame::~CSendReceiveChildFrame()
{
    disconnect(m_doc, nullptr, this, nullptr);
}

void CSendReceiveChildFrame::addCommands()
{
    CommandMap& map = commands();
    map.onCommand(CommandId::NextPane, [this] { activatePane(1); });
    map.onCommand(CommandId::PrevPane, [this] { activatePane(-1); });
    map.onCommand(CommandId::StartSend, [this] { m_doc->startSend(); });
    map.enableWhen(CommandId::StartSend, [this] { return !m_doc->isSending() && m_doc->markState().isIdle(); });
    map.onCommand(CommandId::StopSend, [this] { m_doc->stopSend(); });
    map.enableWhen(CommandId::StopSend, [this] { return m_doc->isSending(); });
    map.onCommand(CommandId::StartReceive, [this] { m_doc->startReceive(); });
    map.enableWhen(CommandId::StartReceive, [this] { return !m_doc->isReceiving() && m_doc->markState().isIdle(); });
    map.onCommand(CommandId::StopReceive, [this] { m_doc->stopReceive(); });
    map.enableWhen(CommandId::StopReceive, [this] { return m_doc->isReceiving(); });
}

void CSendReceiveChildFrame::addPane(int row, ComPanelPane* view, const QString& label)
{
    m_panes[row] = view;
    m_splitter->addPane(view, label);
    view->onInitialUpdate();
    connect(qApp, &QApplication::focusChanged, view, [this, view](QWidget*, QWidget* now) {
        if (now == view)
            setActivePane(view);
    });
}

View* CSendReceiveChildFrame::activeView() const
{
    return m_activePane;
}

void CSendReceiveChildFrame::activatePane(int step)
{
    if (CBarredWnd* pane = m_splitter->paneBeside(step)) {
        setActivePane(static_cast<ComPanelPane*>(pane->view()));
        m_activePane->setFocus();
    }
}

void CSendReceiveChildFrame::setActivePane(ComPanelPane* view)
{
    if (view == m_activePane)
        return;
    m_activePane = view;
    emit activeViewChanged();
}

void CSendReceiveChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_doc->isClosing() && !m_doc->saveModified()) {
        event->ignore();
        return;
    }
    ChildFrameBase::closeEvent(event);
}
