#pragma once

#include <QWidget>

class CPaneStatusBar;

/// A pane's wrapper: its label bar across the top and the view below it,
/// which gets the remaining area.
class CBarredWnd : public QWidget {
    Q_OBJECT

public:
    CBarredWnd(QWidget* view, const QString& barText, QWidget* parent = nullptr);

    QWidget* view() const { return m_view; }
    CPaneStatusBar* statusBar() const { return m_bar; }

private:
    QWidget* m_view;
    CPaneStatusBar* m_bar;
};
