#pragma once

#include <QString>

class QDialog;
class QLineEdit;
class QWidget;

/// Drives the program's dialogs as a user would, for widget tests.
namespace DialogDriver {

/// Focuses OK and clicks it.
void clickOk(QDialog& dialog);
/// Replaces a field's text by typing.
void retype(QLineEdit* field, const QString& text);
/// The text of the label whose buddy the control is, without its mnemonic.
QString labelOf(QWidget* control);
/// A parameter dialog's field by control id.
QLineEdit* fieldOf(QDialog& dialog, int id);

}  // namespace DialogDriver
