#pragma once

#include "app/childframebase.h"

class CBarredSplitterWnd;
class ComPanelPane;
class CSendReceiveDoc;

/// The Com Panel window: the Send Pane over the Receive Pane, each under its
/// label bar, maximized the first time it is shown. The pane that last had
/// the focus is the active view; Start and Stop Send and Receive are the
/// window's commands, whichever pane is active.
class CSendReceiveChildFrame : public ChildFrameBase {
    Q_OBJECT

public:
    explicit CSendReceiveChildFrame(CSendReceiveDoc* document, QWidget* parent = nullptr);
    ~CSendReceiveChildFrame() override;

    WindowState windowState() const override { return WindowState::ComPanel; }
    View* activeView() const override;
    ComPanelPane* pane(int row) const { return m_panes[row]; }
    CBarredSplitterWnd* splitter() const { return m_splitter; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addCommands();
    void addPane(int row, ComPanelPane* view, const QString& label);
    void activatePane(int step);
    void setActivePane(ComPanelPane* view);

    CSendReceiveDoc* m_doc;
    CBarredSplitterWnd* m_splitter = nullptr;
    ComPanelPane* m_panes[2] = {};
    ComPanelPane* m_activePane = nullptr;
};
