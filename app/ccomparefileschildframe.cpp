#include "app/ccomparefileschildframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>

#include "app/cbarredsplitterwnd.h"
#include "app/cbarredwnd.h"
#include "app/cmainframe.h"
#include "app/cpanestatusbar.h"
#include "compare/ccomparedfileview.h"

CCompareFilesChildFrame::CCompareFilesChildFrame(CCompareFilesDoc* document, CMainFrame& mainFrame, QWidget* parent)
    : ChildFrameBase(parent)
    , m_doc(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    // An inner main window docks the toolbar at the top and lets it move to any edge.
    auto* inner = new QMainWindow(this);
    inner->setWindowFlags(Qt::Widget);
    m_splitter = new CBarredSplitterWnd(inner);
    inner->setCentralWidget(m_splitter);
    setWidget(inner);
    buildToolBar(mainFrame);
    addPane(0, new CComparedFile1View(document));
    addPane(1, new CComparedFile2View(document));
    m_activePane = m_panes[0];
    commands().onCommand(CommandId::NextPane, [this] { activatePane(1); });
    commands().onCommand(CommandId::PrevPane, [this] { activatePane(-1); });
    setWindowTitle(document->title());
    setAccessibleName(document->title());
    connect(document, &Document::titleChanged, this, [this] { setWindowTitle(m_doc->title()); });
}

CCompareFilesChildFrame::~CCompareFilesChildFrame()
{
    disconnect(m_doc, nullptr, this, nullptr);
}

void CCompareFilesChildFrame::buildToolBar(CMainFrame& mainFrame)
{
    const ToolBarDefinition& definition = compareToolBarDefinition();
    auto* inner = static_cast<QMainWindow*>(widget());
    m_toolBar = new QToolBar(definition.title, inner);
    m_toolBar->setObjectName(definition.objectName);
    m_toolBar->setAccessibleName(definition.title);
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    inner->addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const ToolBarButton& button : definition.buttons) {
        if (button.separator)
            m_toolBar->addSeparator();
        else
            CMainFrame::addNamedButton(m_toolBar, mainFrame.routedAction(button.id, m_toolBar));
    }
    if (auto* more = m_toolBar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More buttons"));
}

void CCompareFilesChildFrame::addPane(int row, CComparedFileView* view)
{
    m_panes[row] = view;
    CBarredWnd* pane = m_splitter->addPane(view, row == 0 ? QStringLiteral("File1") : QStringLiteral("File2"));
    view->onInitialUpdate();
    pane->statusBar()->setText(view->paneLabel());
    connect(qApp, &QApplication::focusChanged, view, [this, view](QWidget*, QWidget* now) {
        if (now == view)
            setActivePane(view);
    });
}

View* CCompareFilesChildFrame::activeView() const
{
    return m_activePane;
}

void CCompareFilesChildFrame::activatePane(int step)
{
    if (CBarredWnd* pane = m_splitter->paneBeside(step)) {
        setActivePane(static_cast<CComparedFileView*>(pane->view()));
        m_activePane->setFocus();
    }
}

void CCompareFilesChildFrame::setActivePane(CComparedFileView* view)
{
    if (view == m_activePane)
        return;
    m_activePane = view;
    emit activeViewChanged();
}

void CCompareFilesChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_doc->isClosing() && !m_doc->saveModified()) {
        event->ignore();
        return;
    }
    ChildFrameBase::closeEvent(event);
}
