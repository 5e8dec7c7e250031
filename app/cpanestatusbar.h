#pragma once

#include <QStatusBar>

class QLabel;

/// The label bar across the top of a pane: one field over the full width.
class CPaneStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit CPaneStatusBar(const QString& text, QWidget* parent = nullptr);

    QString text() const;
    /// Shows text in the field; it is the bar's accessible name too.
    void setText(const QString& text);

private:
    QLabel* m_field;
};
