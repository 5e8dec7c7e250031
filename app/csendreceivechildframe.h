#pragma once

#include "app/twopanechildframe.h"

class ComPanelPane;
class CSendReceiveDoc;

/// The Com Panel window: the Send Pane over the Receive Pane, each under its
/// label bar, maximized the first time it is shown. Start and Stop Send and
/// Receive are the window's commands, whichever pane is active.
class CSendReceiveChildFrame : public TwoPaneChildFrame {
    Q_OBJECT

public:
    explicit CSendReceiveChildFrame(CSendReceiveDoc* document, QWidget* parent = nullptr);

    WindowState windowState() const override { return WindowState::ComPanel; }
    ComPanelPane* pane(int row) const;

private:
    void addCommands();

    CSendReceiveDoc* m_doc;
};
