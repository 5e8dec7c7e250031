#pragma once

#include "app/childframebase.h"

/// A document window of a kind whose document is still to come, standing in
/// for it so the main window shows the menus of its window state.
class StandInFrame : public ChildFrameBase {
public:
    explicit StandInFrame(WindowState state) : m_state(state) { setWindowTitle(QStringLiteral("Stand-in")); }
    WindowState windowState() const override { return m_state; }
    View* activeView() const override { return nullptr; }

private:
    WindowState m_state;
};
