#include "marking/markdialogparts.h"

#include <QCheckBox>
#include <QFormLayout>

#include "marking/ccolorcombobox.h"
#include "marking/markcontrolids.h"

namespace MarkDialogParts {

CColorComboBox* colorList(int id, const QString& remembered, QWidget* parent)
{
    auto* list = new CColorComboBox(parent);
    list->setObjectName(MarkControlId::objectName(id));
    list->selectColorName(remembered);
    return list;
}

QCheckBox* clearBox(const QString& text, bool checked, QFormLayout* form, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(MarkControlId::objectName(MarkControlId::ClearPrevious));
    box->setChecked(checked);
    form->addRow(box);
    return box;
}

}  // namespace MarkDialogParts
