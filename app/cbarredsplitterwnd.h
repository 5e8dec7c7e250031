#pragma once

#include <QSplitter>

#include <vector>

class CBarredWnd;

/// The static two-row splitter of a two-pane window: each row is a
/// CBarredWnd holding one view. Until the user drags the bar, the upper row
/// is the client height minus half of it, at least kMinUpperHeight pixels.
class CBarredSplitterWnd : public QSplitter {
    Q_OBJECT

public:
    static constexpr int kMinUpperHeight = 10;

    explicit CBarredSplitterWnd(QWidget* parent = nullptr);

    /// Wraps view in a pane with its label bar and adds it as the next row.
    CBarredWnd* addPane(QWidget* view, const QString& barText);
    const std::vector<CBarredWnd*>& panes() const { return m_panes; }
    /// The pane after (step 1) or before (step -1) the one holding the focus.
    CBarredWnd* paneBeside(int step) const;
    /// The upper row's height for a client area of the given height.
    static int upperRowHeight(int clientHeight);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<CBarredWnd*> m_panes;
    bool m_userSized = false;
};
