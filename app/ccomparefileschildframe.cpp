#include "app/ccomparefileschildframe.h"

#include <QMainWindow>
#include <QToolBar>

#include "app/cbarredsplitterwnd.h"
#include "app/cbarredwnd.h"
#include "app/cmainframe.h"
#include "app/cpanestatusbar.h"
#include "compare/ccomparedfileview.h"

CCompareFilesChildFrame::CCompareFilesChildFrame(CCompareFilesDoc* document, CMainFrame& mainFrame, QWidget* parent)
    : TwoPaneChildFrame(document, parent)
{
    // An inner main window docks the toolbar at the top and lets it move to any edge.
    auto* inner = new QMainWindow(this);
    inner->setWindowFlags(Qt::Widget);
    inner->setCentralWidget(splitter());
    setWidget(inner);
    buildToolBar(mainFrame);
    addPane(new CComparedFile1View(document), QStringLiteral("File1"));
    addPane(new CComparedFile2View(document), QStringLiteral("File2"));
}

CComparedFileView* CCompareFilesChildFrame::pane(int row) const
{
    return static_cast<CComparedFileView*>(paneAt(row));
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

void CCompareFilesChildFrame::addPane(CComparedFileView* view, const QString& barText)
{
    CBarredWnd* pane = TwoPaneChildFrame::addPane(view, barText);
    pane->statusBar()->setText(view->paneLabel());
}
