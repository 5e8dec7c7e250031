#pragma once

#include "app/childframebase.h"

class CBarredSplitterWnd;
class CComparedFileView;
class CCompareFilesDoc;
class CMainFrame;
class QToolBar;

/// The comparison window: the "Compare Files" toolbar above the two-row
/// splitter with File1's pane over File2's, maximized the first time it is
/// shown. The pane that last had the focus is the active view.
class CCompareFilesChildFrame : public ChildFrameBase {
    Q_OBJECT

public:
    CCompareFilesChildFrame(CCompareFilesDoc* document, CMainFrame& mainFrame, QWidget* parent = nullptr);
    ~CCompareFilesChildFrame() override;

    WindowState windowState() const override { return WindowState::Comparison; }
    View* activeView() const override;
    CComparedFileView* pane(int row) const { return m_panes[row]; }
    CBarredSplitterWnd* splitter() const { return m_splitter; }
    QToolBar* toolBar() const { return m_toolBar; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar(CMainFrame& mainFrame);
    void addPane(int row, CComparedFileView* view);
    void activatePane(int step);
    void setActivePane(CComparedFileView* view);

    CCompareFilesDoc* m_doc;
    QToolBar* m_toolBar = nullptr;
    CBarredSplitterWnd* m_splitter = nullptr;
    CComparedFileView* m_panes[2] = {};
    CComparedFileView* m_activePane = nullptr;
};
