#include "prompt/dialogbuttons.h"

#include <QDialog>
#include <QPushButton>

QDialogButtonBox* makeDialogButtons(QDialog* dialog, QDialogButtonBox::StandardButtons buttons)
{
    auto* box = new QDialogButtonBox(buttons, dialog);
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
        ok->setText(QStringLiteral("OK"));
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
        cancel->setText(QStringLiteral("Cancel"));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
