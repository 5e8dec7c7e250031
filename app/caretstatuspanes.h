#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <array>
#include <vector>

#include "hexdoc/caretstatus.h"

class HexView;
class QLabel;
class QStatusBar;

/// The status bar's panes that say where the caret is in the active hex view:
/// its byte offset, the selected bytes, the value of the byte at the caret and
/// whether the document is modified. They follow the view through the notices
/// it already gives (caret and selection moved, bytes changed, modified flag
/// changed), and a burst of notices (a typed key gives several) makes one
/// update once the event is handled, so that typing stays quick.
class CaretStatusPanes : public QObject {
    Q_OBJECT

public:
    /// Adds the panes to the bar in front of its permanent panes (the lock
    /// indicators), so that they stand right after the message pane.
    explicit CaretStatusPanes(QStatusBar* bar);

    /// Shows where the caret is in view from now on; nullptr blanks the panes.
    void follow(HexView* view);

private:
    void requestRefresh();
    void refresh();

    std::array<QLabel*, CaretStatus::kPaneCount> m_panes{};
    QPointer<HexView> m_view;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_refreshPending = false;
};
