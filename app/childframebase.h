#pragma once

#include <QMdiSubWindow>

#include "app/menudefinitions.h"
#include "docview/commandmap.h"

class View;

/// What the main frame needs of every document window: which menus it shows,
/// its active view, and a place in the command route.
class ChildFrameBase : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT

public:
    using QMdiSubWindow::QMdiSubWindow;

    virtual WindowState windowState() const = 0;
    virtual View* activeView() const = 0;
};
