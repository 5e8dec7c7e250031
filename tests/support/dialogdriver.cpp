#include "support/dialogdriver.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
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

QLineEdit* fieldOf(QDialog& dialog, int id) { return dialog.findChild<QLineEdit*>(QStringLiteral("field%1").arg(id)); }

QPushButton* button(QDialog& dialog, const QString& text)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

void click(QDialog& dialog, const QString& text)
{
    QPushButton* b = button(dialog, text);
    QVERIFY2(b, qPrintable("no button " + text));
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList groupTitles(QDialog& dialog)
{
    QStringList titles;
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        titles << group->title();
    return titles;
}

QStringList itemTexts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

QString accessibleName(QWidget* control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); }

}  // namespace DialogDriver
