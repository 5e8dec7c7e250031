#pragma once

#include <QString>

class CColorComboBox;
class QCheckBox;
class QFormLayout;
class QWidget;

/// Controls the Mark dialogs share, made with the object names their ids give.
namespace MarkDialogParts {

/// A colour list pre-selected on the remembered name.
CColorComboBox* colorList(int id, const QString& remembered, QWidget* parent);
/// The clear box, as a row of its own in form.
QCheckBox* clearBox(const QString& text, bool checked, QFormLayout* form, QWidget* parent);

}  // namespace MarkDialogParts
