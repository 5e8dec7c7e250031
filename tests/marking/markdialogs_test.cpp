#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "byteops/fieldids.h"
#include "marking/ccolorcombobox.h"
#include "marking/cmarkblocksdlg.h"
#include "marking/cmarkbytesdlg.h"
#include "marking/cmarkpatternsdlg.h"
#include "marking/cmarkunitsdlg.h"
#include "marking/markcontrolids.h"
#include "support/dialogdriver.h"
#include "support/scriptedprompter.h"

using namespace DialogDriver;

namespace {

const QString kS1 = "Please fill the Start Address field!";
const QString kS3 = "The value in the Start Address field can not be the same or larger than the value of file size!";
const QString kS4 = "Please fill the End Address field!";
const QString kS6 = "The value in the End Address field can not be the same or larger than the value of the file size!";

/// Replaces a field's text by pasting, which the fields do not filter.
void paste(QLineEdit* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text().toUpper(), text.toUpper());
}

QLabel* buddyLabel(QWidget* control)
{
    for (QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

void press(QWidget* control, Qt::Key key)
{
    control->setFocus();
    QTest::keyClick(control, key);
}

/// The text of the label a screen reader names a control by. A combo box's
/// own name is its current item's text; its label (the buddy, not the group
/// box, which labels it too) comes through this relation.
QString accessibleLabel(QWidget* control)
{
    QStringList labels;
    for (const auto& [other, relation] : QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label))
        if (qobject_cast<QLabel*>(other->object()))
            labels << other->text(QAccessible::Name);
    return labels.size() == 1 ? labels.front() : QString();
}

template <typename T = QWidget>
T* control(QDialog& dialog, int id)
{
    T* found = dialog.findChild<T*>(MarkControlId::objectName(id));
    Q_ASSERT(found);
    return found;
}

CColorComboBox* colorList(QDialog& dialog, int id)
{
    return control<CColorComboBox>(dialog, id);
}

/// Shows the dialog and checks that the field refused on OK has the focus with its text selected.
void expectRefusedAt(RangeDialog& dialog, int fieldId)
{
    QVERIFY(dialog.isVisible());
    QLineEdit* field = dialog.field(fieldId);
    QCOMPARE(dialog.focusWidget(), field);
    QCOMPARE(field->selectedText(), field->text());
}

void show(QDialog& dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

}  // namespace

class MarkDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void markBytesChecksInOrderAndReturnsTheSettings()
    {
        ScriptedPrompter prompter;
        MarkBytesSettings remembered;
        remembered.values = {"41", "", "", ""};
        remembered.colorNames = {"Red", "Blue", "", "Pink"};
        remembered.clearBlock = false;
        CMarkBytesDlg dialog(0x100, remembered, {0x10, 0x20}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Bytes"));
        QCOMPARE(dialog.fileSizeLabel()->text(),
                 QStringLiteral("File Size: 0X 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));
        QCOMPARE(groupTitles(dialog), (QStringList{"Select Mark Value and Color", "Apply To Block"}));
        QLineEdit* start = dialog.field(FieldId::StartAddress);
        QLineEdit* end = dialog.field(FieldId::EndAddress);
        QLineEdit* value2 = dialog.field(FieldId::MarkValue2);
        QLineEdit* value4 = dialog.field(FieldId::MarkValue4);
        QCOMPARE(dialog.field(FieldId::MarkValue1)->text(), QStringLiteral("41"));
        QCOMPARE(start->text(), QStringLiteral("10"));
        QCOMPARE(accessibleName(value4), QStringLiteral("Value 4 (Hex):"));
        QCOMPARE(accessibleLabel(colorList(dialog, MarkControlId::Value3Color)), QStringLiteral("Color:"));
        QCOMPARE(colorList(dialog, MarkControlId::Value2Color)->currentText(), QStringLiteral("Blue"));
        QCOMPARE(colorList(dialog, MarkControlId::Value4Color)->currentIndex(), -1);
        auto* clear = control<QCheckBox>(dialog, MarkControlId::ClearPrevious);
        QCOMPARE(accessibleName(clear), QStringLiteral("Clear Previous Marks In the Block"));
        QVERIFY(!clear->isChecked());

        retype(start, "");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::StartAddress);
        retype(start, "100");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::StartAddress);
        retype(start, "20");
        retype(end, "");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::EndAddress);
        retype(end, "5");
        paste(value2, "4 1");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::MarkValue2);
        retype(value2, "4142");
        paste(value4, "x");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::MarkValue4);
        retype(value4, "");
        CColorComboBox* color3 = colorList(dialog, MarkControlId::Value3Color);
        press(color3, Qt::Key_End);
        press(clear, Qt::Key_Space);
        clickOk(dialog);

        QCOMPARE(prompter.messages(), (QStringList{kS1, kS3, kS4, "Value2 field contains invalid characters!",
                                                   "Value4 field contains invalid characters!"}));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const MarkBytesSettings accepted = dialog.settings();
        QCOMPARE(accepted.values, (std::array<QString, 4>{"41", "4142", "", ""}));
        // A list with nothing chosen keeps the remembered name.
        QCOMPARE(accepted.colorNames, (std::array<QString, 4>{"Red", "Blue", "Yellow", "Pink"}));
        QVERIFY(accepted.clearBlock);
        QCOMPARE(accepted.block, (AddressBlock{0x20, 5}));
    }

    void markBlocksTakesEmptyAddressesAsNotGiven()
    {
        ScriptedPrompter prompter;
        MarkBlocksSettings remembered;
        remembered.blocks = {{{0x10, 0x1F}, {-1, 5}, {}}};
        remembered.colorNames = {"Green", "Black", "Black"};
        CMarkBlocksDlg dialog(0x100, remembered, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Blocks"));
        QCOMPARE(dialog.fileSizeLabel()->text(),
                 QStringLiteral("File Size: 0x 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));
        QCOMPARE(groupTitles(dialog), (QStringList{"Mark Block 1", "Mark Block 2", "Mark Block 3"}));
        QCOMPARE(dialog.field(FieldId::Block2Start)->text(), QString());
        QCOMPARE(accessibleName(dialog.field(FieldId::Block3End)), QStringLiteral("End Address (Hex):"));
        QCOMPARE(colorList(dialog, MarkControlId::Block1Color)->currentText(), QStringLiteral("Green"));
        auto* clear = control<QCheckBox>(dialog, MarkControlId::ClearPrevious);
        QCOMPARE(clear->text(), QStringLiteral("Clear Previous Marks In the File"));
        QVERIFY(clear->isChecked());

        paste(dialog.field(FieldId::Block3Start), "1 0");
        paste(dialog.field(FieldId::Block1End), "1F!");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::Block1End);
        // No address is compared with the file size.
        retype(dialog.field(FieldId::Block1End), "FFFFFFFF");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::Block3Start);
        retype(dialog.field(FieldId::Block3Start), "");
        retype(dialog.field(FieldId::Block3End), "3");
        press(clear, Qt::Key_Space);
        clickOk(dialog);

        QCOMPARE(prompter.messages(), (QStringList{"Block1 End Address field contains invalid characters!",
                                                   "Block3 Start Address field contains invalid characters!"}));
        QVERIFY(!dialog.isVisible());
        const MarkBlocksSettings accepted = dialog.settings();
        QCOMPARE(accepted.blocks, (std::array<AddressBlock, 3>{{{0x10, 0xFFFFFFFF}, {-1, 5}, {-1, 3}}}));
        QCOMPARE(accepted.colorNames, remembered.colorNames);
        QVERIFY(!accepted.clearFile);
    }

    void markUnitsChecksTheUnitSize()
    {
        ScriptedPrompter prompter;
        MarkUnitsSettings remembered;
        remembered.color1 = "Red";
        remembered.color2 = "Blue";
        CMarkUnitsDlg dialog(0x40, remembered, {0x10, 0x50}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Units"));
        QCOMPARE(dialog.fileSizeLabel()->text(),
                 QStringLiteral("File Size: 0x 40 Bytes (In Hex) or 64 Bytes (In Decimal)"));
        QLineEdit* unit = dialog.field(FieldId::UnitSize);
        QCOMPARE(unit->text(), QStringLiteral("2"));
        QCOMPARE(unit->maxLength(), 4);
        QCOMPARE(accessibleName(unit), QStringLiteral("Number of Bytes in Each Unit (Dec):"));
        QCOMPARE(accessibleLabel(colorList(dialog, MarkControlId::UnitColor2)), QStringLiteral("Color #2:"));
        QVERIFY(groupTitles(dialog).contains("Please choose two different colors to distinguish each unit"));
        // The end is shown as given, past the last byte, and refused on OK.
        QCOMPARE(dialog.field(FieldId::EndAddress)->text(), QStringLiteral("50"));

        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::EndAddress);
        retype(dialog.field(FieldId::EndAddress), "14");
        retype(unit, "");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::UnitSize);
        paste(unit, "1a");
        clickOk(dialog);
        retype(unit, "64");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::UnitSize);
        retype(unit, "0");
        clickOk(dialog);

        QCOMPARE(prompter.messages(),
                 (QStringList{kS6, "Please fill the Number of Bytes in Each Unit (Dec) field!",
                              "Number of Bytes in Each Unit (Dec) field contains invalid characters!",
                              "The value in the Number of Bytes in Each Unit (Dec) field can not be the same or "
                              "larger than the value of the file size!"}));
        QVERIFY(!dialog.isVisible());
        const MarkUnitsSettings accepted = dialog.settings();
        QCOMPARE(accepted.unitSize, 0);
        QCOMPARE(accepted.color2, QStringLiteral("Blue"));
        QCOMPARE(accepted.block, (AddressBlock{0x10, 0x14}));
    }

    void markPatternsLabelsFollowTheType()
    {
        ScriptedPrompter prompter;
        CMarkPatternsDlg dialog(0x100, MarkPatternsSettings{}, {0, 0xFF}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Patterns"));
        QCOMPARE(dialog.fileSizeLabel()->text(),
                 QStringLiteral("File Size: 0x 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));
        QVERIFY(control<QRadioButton>(dialog, MarkControlId::PatternType1)->isChecked());
        QLineEdit* header = dialog.field(FieldId::PatternHeader);
        QLineEdit* count = dialog.field(FieldId::PatternCount);
        QLineEdit* tail = dialog.field(FieldId::PatternTail);
        retype(header, "7e");
        retype(tail, "ff");
        CColorComboBox* second = colorList(dialog, MarkControlId::PatternSecondColor);
        second->setCurrentIndex(6);

        struct Row {
            int button;
            const char* countLabel;  // nullptr: hidden
            bool tailShown;
            const char* secondLabel;
            bool followingShown;
            const char* thirdLabel;
        };
        const Row kRows[] = {
            {MarkControlId::PatternType2, "Number of Body Bytes (Dec):", true, "Color of Body Bytes:", false,
             "Tail Color:"},
            {MarkControlId::PatternType3, "Number of Tail Bytes (Dec):", false, "Color of Tail Bytes:", true,
             "the Last Tail Byte"},
            {MarkControlId::PatternType1, nullptr, true, "Color of Body Bytes:", false, "Tail Color:"},
        };
        for (const Row& row : kRows) {
            press(control<QRadioButton>(dialog, row.button), Qt::Key_Space);
            const QString name = QString::number(row.button);
            QVERIFY2(count->isVisible() == (row.countLabel != nullptr), qPrintable(name));
            QCOMPARE(control<QLabel>(dialog, MarkControlId::BytesUnitLabel)->isVisible(), row.countLabel != nullptr);
            QCOMPARE(buddyLabel(count)->isVisible(), row.countLabel != nullptr);
            if (row.countLabel)
                QCOMPARE(accessibleName(count), QLatin1String(row.countLabel));
            QVERIFY2(tail->isVisible() == row.tailShown, qPrintable(name));
            QCOMPARE(accessibleLabel(second), QLatin1String(row.secondLabel));
            QCOMPARE(control<QLabel>(dialog, MarkControlId::ByteFollowingLabel)->isVisible(), row.followingShown);
            QCOMPARE(accessibleLabel(colorList(dialog, MarkControlId::PatternThirdColor)),
                     QLatin1String(row.thirdLabel));
            // Switching keeps what was typed and chosen.
            QCOMPARE(header->text(), QStringLiteral("7E"));
            QCOMPARE(tail->text(), QStringLiteral("FF"));
            QCOMPARE(second->currentText(), QStringLiteral("Red"));
        }
        QCOMPARE(accessibleName(header), QStringLiteral("Header Value (Hex):"));
    }

    void markPatternsChecksByTypeAndKeepsTheOtherTypes()
    {
        ScriptedPrompter prompter;
        MarkPatternsSettings remembered;
        remembered.type = PatternType::Type2;
        remembered.perType[0] = {"AA", "", "BB", {"Red", "Red", "Red"}};
        remembered.perType[1] = {"01", "", "04", {"Green", "Blue", ""}};
        remembered.clearBlock = false;
        CMarkPatternsDlg dialog(0x100, remembered, {0x20, 0x10}, nullptr);
        show(dialog);
        QVERIFY(control<QRadioButton>(dialog, MarkControlId::PatternType2)->isChecked());
        QLineEdit* header = dialog.field(FieldId::PatternHeader);
        QLineEdit* count = dialog.field(FieldId::PatternCount);
        QLineEdit* tail = dialog.field(FieldId::PatternTail);
        QCOMPARE(header->text(), QStringLiteral("01"));
        QCOMPARE(count->maxLength(), 8);
        QCOMPARE(colorList(dialog, MarkControlId::PatternThirdColor)->currentIndex(), -1);

        paste(header, "0 1");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::PatternHeader);
        retype(header, "7E");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::PatternCount);
        paste(count, "2b");
        clickOk(dialog);
        retype(count, "2");
        paste(tail, "F F");
        clickOk(dialog);
        expectRefusedAt(dialog, FieldId::PatternTail);
        // Type3 has no tail to check.
        press(control<QRadioButton>(dialog, MarkControlId::PatternType3), Qt::Key_Space);
        clickOk(dialog);

        QCOMPARE(prompter.messages(),
                 (QStringList{"Header Value field contains invalid characters!", "Please fill the Body Size field!",
                              "Body Size (Dec) field contains invalid characters!",
                              "Tail Value field contains invalid characters!"}));
        QVERIFY(!dialog.isVisible());
        const MarkPatternsSettings accepted = dialog.settings();
        QCOMPARE(accepted.type, PatternType::Type3);
        QCOMPARE(accepted.perType[2].header, QStringLiteral("7E"));
        QCOMPARE(accepted.perType[2].count, QStringLiteral("2"));
        QCOMPARE(accepted.perType[2].colorNames, (std::array<QString, 3>{"Green", "Blue", ""}));
        QCOMPARE(accepted.perType[0].header, QStringLiteral("AA"));
        QCOMPARE(accepted.perType[1].header, QStringLiteral("01"));
        QCOMPARE(accepted.block, (AddressBlock{0x20, 0x10}));
    }
};

QTEST_MAIN(MarkDialogsTest)
#include "markdialogs_test.moc"
