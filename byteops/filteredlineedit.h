#pragma once

#include <QLineEdit>

/// A single-line edit that refuses typed characters outside its class with
/// the system beep. Editing keys (Backspace, arrows, Delete) and pasted text
/// pass unfiltered: the dialog's checks on OK catch what was pasted.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using CharFilter = bool (*)(QChar);

    FilteredLineEdit(CharFilter accepts, int maxLength, QWidget* parent = nullptr);

signals:
    /// A typed character was refused (the beep has sounded).
    void refused(QChar character);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CharFilter m_accepts;
};
