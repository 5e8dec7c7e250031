#include "app/caretstatuspanes.h"

#include <QLabel>
#include <QStatusBar>

#include "docview/document.h"
#include "hexdoc/hexview.h"

namespace {

/// What each pane is called for screen readers, in pane order.
constexpr const char* kPaneNames[CaretStatus::kPaneCount] = {"Caret offset", "Selection", "Byte value",
                                                             "Document state"};

}  // namespace

CaretStatusPanes::CaretStatusPanes(QStatusBar* bar)
    : QObject(bar)
{
    for (int i = 0; i < CaretStatus::kPaneCount; ++i) {
        auto* pane = new QLabel(bar);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAccessibleName(QString::fromLatin1(kPaneNames[i]));
        bar->insertPermanentWidget(i, pane);
        m_panes[std::size_t(i)] = pane;
    }
    refresh();
}

void CaretStatusPanes::follow(HexView* view)
{
    if (view == m_view)
        return;
    for (const QMetaObject::Connection& connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    m_view = view;
    if (view) {
        m_connections = {
            connect(view, &ListingControl::selectionChanged, this, &CaretStatusPanes::requestRefresh),
            connect(&view->model(), &ByteModel::changed, this, &CaretStatusPanes::requestRefresh),
            connect(view->document(), &Document::modifiedChanged, this, &CaretStatusPanes::requestRefresh),
        };
    }
    requestRefresh();
}

void CaretStatusPanes::requestRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(this, &CaretStatusPanes::refresh, Qt::QueuedConnection);
}

void CaretStatusPanes::refresh()
{
    m_refreshPending = false;
    CaretStatus status;
    if (HexView* view = m_view)
        status = CaretStatus::of(view->layout(), view->selection(), view->endPosition(), view->model(),
                                 view->document()->isModified());
    const std::array<QString, CaretStatus::kPaneCount> texts = status.paneTexts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QLabel* pane = m_panes[i];
        if (pane->text() != texts[i]) {
            pane->setText(texts[i]);
            pane->setAccessibleDescription(texts[i]);
        }
        // An empty pane leaves its room to the message pane.
        pane->setVisible(!texts[i].isEmpty());
    }
}
