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
using namespace MarkControlId;

namespace {

void press(QWidget* control, Qt::Key key)
{
    control->setFocus();
    QTest::keyClick(control, key);
}

template <typename T = CColorComboBox>
T* control(QDialog& dialog, int id)
{
    T* found = dialog.findChild<T*>(objectName(id));
    Q_ASSERT(found);
    return found;
}

// What a step expects of OK: none pressed, the dialog accepted, or else the refused field's id.
constexpr int kNoOk = -1;
constexpr int kAccepted = -2;

/// One step of a walk through a dialog: a field's new text, typed, or pasted
/// (which the fields do not filter) when it starts with '|'; then OK unless kNoOk.
struct Step {
    int field;
    const char* text;
    int ok;
};

void show(QDialog& dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

/// Walks the dialog; a refused OK leaves it open with the refused field
/// focused and its text selected.
void walk(RangeDialog& dialog, std::initializer_list<Step> steps)
{
    for (const Step& step : steps) {
        QLineEdit* field = dialog.field(step.field);
        const QString text = QString::fromLatin1(step.text);
        if (text.startsWith('|')) {
            QGuiApplication::clipboard()->setText(text.mid(1));
            field->setFocus();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else {
            retype(field, text);
        }
        QCOMPARE(field->text().toUpper(), text.mid(text.startsWith('|')).toUpper());
        if (step.ok == kNoOk)
            continue;
        clickOk(dialog);
        QCOMPARE(dialog.isVisible(), step.ok != kAccepted);
        QCOMPARE(dialog.result() == QDialog::Accepted, step.ok == kAccepted);
        if (step.ok >= 0) {
            QCOMPARE(dialog.focusWidget(), dialog.field(step.ok));
            QCOMPARE(dialog.field(step.ok)->selectedText(), dialog.field(step.ok)->text());
        }
    }
}

}  // namespace

class MarkDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void markBytesChecksInOrderAndReturnsTheSettings()
    {
        using namespace FieldId;
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
        QCOMPARE(dialog.field(MarkValue1)->text() + dialog.field(StartAddress)->text(), QStringLiteral("4110"));
        QCOMPARE(accessibleName(dialog.field(MarkValue4)), QStringLiteral("Value 4 (Hex):"));
        QCOMPARE(labelOf(control(dialog, Value3Color)), QStringLiteral("Color:"));
        QCOMPARE(control(dialog, Value2Color)->currentText(), QStringLiteral("Blue"));
        QCOMPARE(control(dialog, Value4Color)->currentIndex(), -1);
        auto* clear = control<QCheckBox>(dialog, ClearPrevious);
        QCOMPARE(accessibleName(clear), QStringLiteral("Clear Previous Marks In the Block"));
        QVERIFY(!clear->isChecked());
        press(control(dialog, Value3Color), Qt::Key_End);
        press(clear, Qt::Key_Space);

        walk(dialog, {{StartAddress, "", StartAddress}, {StartAddress, "100", StartAddress},
                      {StartAddress, "20", kNoOk}, {EndAddress, "", EndAddress}, {EndAddress, "5", kNoOk},
                      {MarkValue2, "|4 1", MarkValue2}, {MarkValue2, "4142", kNoOk}, {MarkValue4, "|x", MarkValue4},
                      {MarkValue4, "", kAccepted}});
        QCOMPARE(prompter.messages().size(), 5);
        const MarkBytesSettings accepted = dialog.settings();
        QCOMPARE(accepted.values, (std::array<QString, 4>{"41", "4142", "", ""}));
        // A list with nothing chosen keeps the remembered name.
        QCOMPARE(accepted.colorNames, (std::array<QString, 4>{"Red", "Blue", "Yellow", "Pink"}));
        QVERIFY(accepted.clearBlock);
        QCOMPARE(accepted.block, (AddressBlock{0x20, 5}));
    }

    void markBlocksTakesEmptyAddressesAsNotGiven()
    {
        using namespace FieldId;
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
        QCOMPARE(dialog.field(Block2Start)->text(), QString());
        QCOMPARE(accessibleName(dialog.field(Block3End)), QStringLiteral("End Address (Hex):"));
        QCOMPARE(control(dialog, Block1Color)->currentText(), QStringLiteral("Green"));
        auto* clear = control<QCheckBox>(dialog, ClearPrevious);
        QCOMPARE(clear->text(), QStringLiteral("Clear Previous Marks In the File"));
        QVERIFY(clear->isChecked());
        press(clear, Qt::Key_Space);

        // No address is compared with the file size.
        walk(dialog, {{Block3Start, "|1 0", kNoOk}, {Block1End, "|1F!", Block1End},
                      {Block1End, "FFFFFFFF", Block3Start}, {Block3Start, "", kNoOk}, {Block3End, "3", kAccepted}});
        QCOMPARE(prompter.messages().size(), 2);
        const MarkBlocksSettings accepted = dialog.settings();
        QCOMPARE(accepted.blocks, (std::array<AddressBlock, 3>{{{0x10, 0xFFFFFFFF}, {-1, 5}, {-1, 3}}}));
        QCOMPARE(accepted.colorNames, remembered.colorNames);
        QVERIFY(!accepted.clearFile);
    }

    void markUnitsChecksTheUnitSize()
    {
        using namespace FieldId;
        ScriptedPrompter prompter;
        MarkUnitsSettings remembered;
        remembered.color1 = "Red";
        remembered.color2 = "Blue";
        CMarkUnitsDlg dialog(0x40, remembered, {0x10, 0x50}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Units"));
        QLineEdit* unit = dialog.field(UnitSize);
        QCOMPARE(unit->text(), QStringLiteral("2"));
        QCOMPARE(unit->maxLength(), 4);
        QCOMPARE(accessibleName(unit), QStringLiteral("Number of Bytes in Each Unit (Dec):"));
        QCOMPARE(labelOf(control(dialog, UnitColor2)), QStringLiteral("Color #2:"));
        QVERIFY(groupTitles(dialog).contains("Please choose two different colors to distinguish each unit"));

        // The end is shown as given, past the last byte, and refused on OK.
        QCOMPARE(dialog.field(EndAddress)->text(), QStringLiteral("50"));
        walk(dialog, {{EndAddress, "50", EndAddress}, {EndAddress, "14", kNoOk}, {UnitSize, "", UnitSize},
                      {UnitSize, "|1a", UnitSize}, {UnitSize, "64", UnitSize}, {UnitSize, "0", kAccepted}});
        QCOMPARE(prompter.messages().size(), 4);
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
        QVERIFY(control<QRadioButton>(dialog, PatternType1)->isChecked());
        QLineEdit* header = dialog.field(FieldId::PatternHeader);
        QLineEdit* count = dialog.field(FieldId::PatternCount);
        QLineEdit* tail = dialog.field(FieldId::PatternTail);
        QCOMPARE(accessibleName(header), QStringLiteral("Header Value (Hex):"));
        retype(header, "7e");
        retype(tail, "ff");
        control(dialog, PatternSecondColor)->setCurrentIndex(6);

        struct Row {
            int button;
            const char* countLabel;  // nullptr: hidden
            bool tailShown;
            const char* secondLabel;
            bool followingShown;
            const char* thirdLabel;
        };
        const Row kRows[] = {
            {PatternType2, "Number of Body Bytes (Dec):", true, "Color of Body Bytes:", false, "Tail Color:"},
            {PatternType3, "Number of Tail Bytes (Dec):", false, "Color of Tail Bytes:", true, "the Last Tail Byte"},
            {PatternType1, nullptr, true, "Color of Body Bytes:", false, "Tail Color:"},
        };
        QLabel* countLabel = nullptr;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            countLabel = label->buddy() == count ? label : countLabel;
        QVERIFY(countLabel);
        for (const Row& row : kRows) {
            press(control<QRadioButton>(dialog, row.button), Qt::Key_Space);
            QCOMPARE(count->isVisible(), row.countLabel != nullptr);
            QCOMPARE(control<QLabel>(dialog, BytesUnitLabel)->isVisible(), row.countLabel != nullptr);
            QCOMPARE(countLabel->isVisible(), row.countLabel != nullptr);
            if (row.countLabel)
                QCOMPARE(accessibleName(count), QLatin1String(row.countLabel));
            QCOMPARE(tail->isVisible(), row.tailShown);
            QCOMPARE(labelOf(control(dialog, PatternSecondColor)), QLatin1String(row.secondLabel));
            QCOMPARE(control<QLabel>(dialog, ByteFollowingLabel)->isVisible(), row.followingShown);
            QCOMPARE(labelOf(control(dialog, PatternThirdColor)), QLatin1String(row.thirdLabel));
            // Switching keeps what was typed and chosen.
            QCOMPARE(header->text() + tail->text(), QStringLiteral("7EFF"));
            QCOMPARE(control(dialog, PatternSecondColor)->currentText(), QStringLiteral("Red"));
        }
    }

    void markPatternsChecksByTypeAndKeepsTheOtherTypes()
    {
        using namespace FieldId;
        ScriptedPrompter prompter;
        MarkPatternsSettings remembered;
        remembered.type = PatternType::Type2;
        remembered.perType[0] = {"AA", "", "BB", {"Red", "Red", "Red"}};
        remembered.perType[1] = {"01", "", "04", {"Green", "Blue", ""}};
        remembered.clearBlock = false;
        CMarkPatternsDlg dialog(0x100, remembered, {0x20, 0x10}, nullptr);
        show(dialog);
        QVERIFY(control<QRadioButton>(dialog, PatternType2)->isChecked());
        QCOMPARE(dialog.field(PatternHeader)->text(), QStringLiteral("01"));
        QCOMPARE(dialog.field(PatternCount)->maxLength(), 8);
        QCOMPARE(control(dialog, PatternThirdColor)->currentIndex(), -1);

        walk(dialog, {{PatternHeader, "|0 1", PatternHeader}, {PatternHeader, "7E", PatternCount},
                      {PatternCount, "|2b", PatternCount}, {PatternCount, "2", kNoOk},
                      {PatternTail, "|F F", PatternTail}});
        // Type3 has no tail to check.
        press(control<QRadioButton>(dialog, PatternType3), Qt::Key_Space);
        clickOk(dialog);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(prompter.messages().size(), 4);
        const MarkPatternsSettings accepted = dialog.settings();
        QCOMPARE(accepted.type, PatternType::Type3);
        QCOMPARE(accepted.perType[2].header + accepted.perType[2].count, QStringLiteral("7E2"));
        QCOMPARE(accepted.perType[2].colorNames, (std::array<QString, 3>{"Green", "Blue", ""}));
        QCOMPARE(accepted.perType[0].header + accepted.perType[1].header, QStringLiteral("AA01"));
        QCOMPARE(accepted.block, (AddressBlock{0x20, 0x10}));
    }
};

QTEST_MAIN(MarkDialogsTest)
#include "markdialogs_test.moc"
