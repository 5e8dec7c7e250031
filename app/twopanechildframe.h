#pragma once

#include <vector>

#include "app/childframebase.h"

class CBarredSplitterWnd;
class CBarredWnd;
class Document;
class HexView;

/// What the two-pane windows share (the comparison window, the Com Panel):
/// the static two-row splitter with a hex view and its label bar in each
/// row, the pane that last had the focus as the active view, F6 and
/// Shift+F6 between the panes, and the document's close check.
class TwoPaneChildFrame : public ChildFrameBase {
    Q_OBJECT

public:
    explicit TwoPaneChildFrame(Document* document, QWidget* parent = nullptr);
    ~TwoPaneChildFrame() override;

    View* activeView() const override;
    CBarredSplitterWnd* splitter() const { return m_splitter; }

protected:
    /// Adds view under its label bar as the next row and runs its initial update.
    CBarredWnd* addPane(HexView* view, const QString& label);
    HexView* paneAt(int row) const { return m_panes[std::size_t(row)]; }
    void closeEvent(QCloseEvent* event) override;

private:
    void activatePane(int step);
    void setActivePane(HexView* view);

    Document* m_doc;
    CBarredSplitterWnd* m_splitter;
    std::vector<HexView*> m_panes;
    HexView* m_activePane = nullptr;
};
