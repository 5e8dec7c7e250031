#include "support/dialogdriver.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace DialogDriver {

void clickOk(QDialog& dialog)
{
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->setFocus();
    QTest::mouseClick(ok, Qt::LeftButton);
}

void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QString labelOf(QWidget* control)
{
    for (QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label->text().remove(QLatin1Char('&'));
    return {};
}

QLineEdit* fieldOf(QDialog& dialog, int id)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("field%1").arg(id));
}

}  // namespace DialogDriver
