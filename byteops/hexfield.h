#pragma once

#include "byteops/filteredlineedit.h"

/// The hex field of the parameter dialogs: accepts typed hex digits, shows
/// letters in upper case, and keeps Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z (with or
/// without Shift) for copy, paste, cut and undo of its own text, so that they
/// never reach the program's Copy Bytes, Paste Bytes and Cut Bytes shortcuts.
class HexField : public FilteredLineEdit {
    Q_OBJECT

public:
    explicit HexField(int maxLength, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// True for the four editing shortcuts the field keeps for itself.
    bool runOwnShortcut(const QKeyEvent* event, bool perform);
};
