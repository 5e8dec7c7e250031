#pragma once

#include "app/twopanechildframe.h"

class CComparedFileView;
class CCompareFilesDoc;
class CMainFrame;
class QToolBar;

/// The comparison window: the "Compare Files" toolbar above the two-row
/// splitter with File1's pane over File2's, maximized the first time it is
/// shown.
class CCompareFilesChildFrame : public TwoPaneChildFrame {
    Q_OBJECT

public:
    CCompareFilesChildFrame(CCompareFilesDoc* document, CMainFrame& mainFrame, QWidget* parent = nullptr);

    WindowState windowState() const override { return WindowState::Comparison; }
    CComparedFileView* pane(int row) const;
    QToolBar* toolBar() const { return m_toolBar; }

private:
    void buildToolBar(CMainFrame& mainFrame);
    void addPane(CComparedFileView* view, const QString& barText);

    QToolBar* m_toolBar = nullptr;
};
