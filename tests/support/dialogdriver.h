#pragma once

#include <QStringList>

class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
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
/// The dialog's push button with the text, or null.
QPushButton* button(QDialog& dialog, const QString& text);
/// Clicks the push button with the text; fails the test when there is none.
void click(QDialog& dialog, const QString& text);
/// The titles of the dialog's group boxes, in creation order.
QStringList groupTitles(QDialog& dialog);
/// A combo box's item texts in order.
QStringList itemTexts(const QComboBox& combo);
/// The name a screen reader gives the control.
QString accessibleName(QWidget* control);

}  // namespace DialogDriver
