#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "byteops/bitwiseshiftdialog.h"
#include "byteops/fieldids.h"
#include "byteops/insertbytesdialog.h"
#include "byteops/maskbytesdialog.h"
#include "byteops/pastebytesdialog.h"
#include "byteops/replacebytesdialog.h"
#include "support/dialogdriver.h"
#include "support/scriptedprompter.h"

using namespace DialogDriver;

namespace {

QString fileSizeLine(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("fileSizeLine"))->text();
}

/// Clicks a radio button on its indicator: a stretched button takes clicks only on its indicator and text.
void choose(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QRadioButton* radio(QDialog& dialog, const QString& name)
{
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (accessibleName(button) == name)
            return button;
    return nullptr;
}

/// Presses OK and expects the dialog to refuse with message, focusing the field with its text selected.
void expectRefusal(ScriptedPrompter& prompter, QDialog& dialog, QLineEdit* field, const QString& message)
{
    prompter.clear();
    clickOk(dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompter.messages(), QStringList{message});
    QCOMPARE(dialog.focusWidget(), field);
    QCOMPARE(field->selectedText(), field->text());
}

void expectAccepted(ScriptedPrompter& prompter, QDialog& dialog)
{
    prompter.clear();
    clickOk(dialog);
    QCOMPARE(prompter.messages(), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

}  // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void insertBytesChecksTheValueBeforeTheCount()
    {
        ScriptedPrompter prompter;
        InsertBytesDialog dialog(0x100, 0x10, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Bytes"));
        QCOMPARE(groupTitles(dialog), QStringList{"Bytes To Be Inserted"});
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        QLineEdit* count = fieldOf(dialog, FieldId::InsertCount);
        QLineEdit* value = fieldOf(dialog, FieldId::InsertValue);
        QCOMPARE(labelOf(count), QStringLiteral("Number of Bytes (Dec):"));
        QCOMPARE(accessibleName(value), QStringLiteral("Default Byte Value (Hex):"));
        QCOMPARE(start->text(), QStringLiteral("10"));
        QCOMPARE(count->text(), QStringLiteral("0"));
        QCOMPARE(value->text(), QStringLiteral("00"));
        QCOMPARE(fileSizeLine(dialog), QStringLiteral("File Size: 0x 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));

        retype(count, "");
        retype(value, "");
        expectRefusal(prompter, dialog, value, "Please fill the Default Byte Value (Hex) field!");
        retype(value, "abc");
        QCOMPARE(value->text(), QStringLiteral("AB"));
        expectRefusal(prompter, dialog, count, "Please fill the Number of Bytes (Dec) field!");
        retype(count, "1234567890");
        QCOMPARE(count->text(), QStringLiteral("123456789"));
        retype(start, "101");
        expectRefusal(prompter, dialog, start,
                      "The value in the Start Address field can not be larger than the value of the file size!");
        retype(start, "100");
        expectAccepted(prompter, dialog);
        QCOMPARE(dialog.start(), 0x100);
        QCOMPARE(dialog.count(), 123456789);
        QCOMPARE(dialog.value(), 0xAB);
    }

    void pasteBytesAcceptsTheEndOfAnEmptyFile()
    {
        ScriptedPrompter prompter;
        PasteBytesDialog dialog(0, -1, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Paste Bytes"));
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        QCOMPARE(start->text(), QString());
        expectRefusal(prompter, dialog, start, "Please fill the Start Address field!");
        start->insert(QStringLiteral("1 "));  // pasted text is not filtered
        expectRefusal(prompter, dialog, start, "Start Address field contains invalid characters!");
        retype(start, "1");
        expectRefusal(prompter, dialog, start,
                      "The value in the Start Address field can not be larger than the value of the file size!");
        retype(start, "0");
        expectAccepted(prompter, dialog);
        QCOMPARE(dialog.start(), 0);
    }

    void replaceBytesClampsTheEndAndChecksBothValues()
    {
        ScriptedPrompter prompter;
        ReplaceBytesDialog dialog(0x100, 0x20, 0x200, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Replace Bytes"));
        QCOMPARE(groupTitles(dialog),
                 (QStringList{"Byte Value (The old value is to be replaced by new value)", "Apply To Block"}));
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        QLineEdit* end = fieldOf(dialog, FieldId::EndAddress);
        QLineEdit* oldValue = fieldOf(dialog, FieldId::OldValue);
        QLineEdit* newValue = fieldOf(dialog, FieldId::NewValue);
        QCOMPARE(labelOf(newValue), QStringLiteral("New Value (Hex):"));
        QCOMPARE(end->text(), QStringLiteral("FF"));  // clamped to the last byte
        QCOMPARE(oldValue->text(), QStringLiteral("00"));

        retype(oldValue, "");
        retype(newValue, "");
        retype(start, "100");
        expectRefusal(prompter, dialog, start,
                      "The value in the Start Address field can not be the same or larger than the value of the file "
                      "size!");
        retype(start, "f0");
        retype(end, "10");
        expectRefusal(prompter, dialog, oldValue, "Please fill the Old Value field!");
        oldValue->insert(QStringLiteral("-"));
        expectRefusal(prompter, dialog, oldValue, "Old Value field contains invalid characters!");
        retype(oldValue, "0");
        expectRefusal(prompter, dialog, newValue, "Please fill the New Value field!");
        retype(newValue, "ff");
        expectAccepted(prompter, dialog);
        QCOMPARE(dialog.start(), 0xF0);
        QCOMPARE(dialog.end(), 0x10);
        QCOMPARE(dialog.oldValue(), 0x00);
        QCOMPARE(dialog.newValue(), 0xFF);
    }

    void bitwiseShiftShowsAndReturnsTheChoice()
    {
        ScriptedPrompter prompter;
        BitwiseShiftDialog dialog(0x100, 0x10, 0x200, {ShiftChoice::Direction::Right, 3}, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Bitwise Shift On Bytes"));
        QCOMPARE(groupTitles(dialog), (QStringList{"Bitwise Shift Type", "Apply to block"}));
        QCOMPARE(fileSizeLine(dialog), QStringLiteral("File Size: 0X 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));
        QVERIFY(radio(dialog, "Right Shift")->isChecked());
        QLineEdit* count = fieldOf(dialog, FieldId::ShiftCount);
        QLineEdit* end = fieldOf(dialog, FieldId::EndAddress);
        QCOMPARE(labelOf(count), QStringLiteral("Number of Shift (Dec):"));
        QCOMPARE(count->text(), QStringLiteral("3"));
        QCOMPARE(end->text(), QStringLiteral("200"));  // the end is not clamped
        expectRefusal(prompter, dialog, end,
                      "The value in the End Address field can not be the same or larger than the value of the file "
                      "size!");
        retype(end, "1f");
        retype(count, "");
        expectRefusal(prompter, dialog, count, "Please fill the Number of Shift (Dec) field!");
        retype(count, "x95");
        QCOMPARE(count->text(), QStringLiteral("9"));
        choose(radio(dialog, "Left Shift"));
        expectAccepted(prompter, dialog);
        QCOMPARE(dialog.choice(), (ShiftChoice{ShiftChoice::Direction::Left, 9}));
        QCOMPARE(dialog.start(), 0x10);
        QCOMPARE(dialog.end(), 0x1F);

        BitwiseShiftDialog fresh(0x100, 0, 0, ShiftChoice{}, nullptr);
        QVERIFY(radio(fresh, "Left Shift")->isChecked());
        QCOMPARE(fieldOf(fresh, FieldId::ShiftCount)->text(), QStringLiteral("0"));
    }

    void maskBytesShowsAndReturnsTheChoice()
    {
        ScriptedPrompter prompter;
        MaskBytesDialog first(0x100, 0x10, 0x20, MaskChoice{}, nullptr);
        QCOMPARE(first.windowTitle(), QStringLiteral("Mask Bytes"));
        QCOMPARE(groupTitles(first), (QStringList{"Mask Type", "Apply to block"}));
        QVERIFY(radio(first, "AND")->isChecked());
        QCOMPARE(fieldOf(first, FieldId::MaskValue)->text(), QStringLiteral("FF"));

        MaskBytesDialog dialog(0x100, 0x10, 0x20, {MaskChoice::Type::Xor, 0x0F}, nullptr);
        dialog.show();
        QVERIFY(radio(dialog, "XOR")->isChecked());
        QLineEdit* value = fieldOf(dialog, FieldId::MaskValue);
        QCOMPARE(labelOf(value), QStringLiteral("Mask Value (Hex):"));
        QCOMPARE(value->text(), QStringLiteral("F"));
        retype(value, "");
        expectRefusal(prompter, dialog, value, "Please fill the Mask Value field!");
        retype(value, "a5");
        choose(radio(dialog, "OR"));
        expectAccepted(prompter, dialog);
        QCOMPARE(dialog.choice(), (MaskChoice{MaskChoice::Type::Or, 0xA5}));
    }
};

QTEST_MAIN(EditDialogsTest)
#include "editdialogs_test.moc"
