#pragma once

#include "app/childframebase.h"

class CVellmarView;

/// The window of a plain hex document: one hex view, maximized the first time
/// it is shown.
class CChildFrame : public ChildFrameBase {
    Q_OBJECT

public:
    explicit CChildFrame(CVellmarView* view, QWidget* parent = nullptr);
    ~CChildFrame() override;

    WindowState windowState() const override { return WindowState::PlainDocument; }
    View* activeView() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();

    CVellmarView* m_view;
};
