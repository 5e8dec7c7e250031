#include "app/cbarredsplitterwnd.h"

#include <QApplication>

#include <algorithm>

#include "app/cbarredwnd.h"

CBarredSplitterWnd::CBarredSplitterWnd(QWidget* parent)
    : QSplitter(Qt::Vertical, parent)
{
    setChildrenCollapsible(false);
    setAccessibleName(QStringLiteral("Panes"));
    connect(this, &QSplitter::splitterMoved, this, [this] { m_userSized = true; });
}

CBarredWnd* CBarredSplitterWnd::addPane(QWidget* view, const QString& barText)
{
    auto* pane = new CBarredWnd(view, barText, this);
    addWidget(pane);
    m_panes.push_back(pane);
    return pane;
}

CBarredWnd* CBarredSplitterWnd::paneBeside(int step) const
{
    if (m_panes.empty())
        return nullptr;
    const auto count = int(m_panes.size());
    const auto focused = std::find_if(m_panes.begin(), m_panes.end(), [](const CBarredWnd* pane) {
        return pane->isAncestorOf(QApplication::focusWidget());
    });
    const int current = focused == m_panes.end() ? 0 : int(focused - m_panes.begin());
    return m_panes[std::size_t(((current + step) % count + count) % count)];
}

int CBarredSplitterWnd::upperRowHeight(int clientHeight)
{
    return std::max(clientHeight - clientHeight / 2, kMinUpperHeight);
}

void CBarredSplitterWnd::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (m_userSized || count() != 2)
        return;
    const int client = height() - handleWidth();
    const int upper = upperRowHeight(client);
    setSizes({upper, std::max(client - upper, 0)});
}
