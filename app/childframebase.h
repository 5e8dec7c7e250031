#pragma once

#include <QMdiSubWindow>

#include "app/menudefinitions.h"
#include "docview/commandmap.h"

class View;

/// What the main frame needs of every document window: which menus it shows,
/// its active view, and a place in the command route. A document window is
/// shown maximized the first time, later as asked.
class ChildFrameBase : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT

public:
    using QMdiSubWindow::QMdiSubWindow;

    virtual WindowState windowState() const = 0;
    virtual View* activeView() const = 0;

signals:
    /// A window of several panes moved its active view to another pane.
    void activeViewChanged();

protected:
    void showEvent(QShowEvent* event) override
    {
        QMdiSubWindow::showEvent(event);
        if (m_firstShow) {
            m_firstShow = 0;
            showMaximized();
        }
    }

private:
    int m_firstShow = 1;
};
