#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTest>

#include "byteops/fieldids.h"
#include "marking/ccolorcombobox.h"
#include "marking/cmarkblocksdlg.h"
#include "marking/cmarkbytesdlg.h"
#include "marking/cmarkpatternsdlg.h"
#include "marking/cmarkunitsdlg.h"
#include "marking/colorpalette.h"
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

// Shown and exposed, so that the colour boxes paint their closed face.
void show(QDialog& dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

/// One step of a walk through a dialog: a field's new text, typed, or pasted
/// (which the fields do not filter) when it starts with '|'; then OK unless kNoOk.
struct Step {
    int field;
    const char* text;
    int ok;
};

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
        const MarkBytesSettings remembered{false, {"41", "", "", ""}, {"Red", "Blue", "", "Pink"}, {}};
        CMarkBytesDlg dialog(0x100, remembered, {0x10, 0x20}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Bytes"));
        QCOMPARE(dialog.fileSizeLabel()->text(),
                 QStringLiteral("File Size: 0X 100 Bytes (In Hex) or 256 Bytes (In Decimal)"));
        QCOMPARE(dialog.field(MarkValue1)->text() + dialog.field(StartAddress)->text(), QStringLiteral("4110"));
        QCOMPARE(control(dialog, Value2Color)->currentText(), QStringLiteral("Blue"));
        QCOMPARE(control(dialog, Value4Color)->currentIndex(), -1);
        auto* clear = control<QCheckBox>(dialog, ClearPrevious);
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
        const MarkBlocksSettings remembered{true, {{{0x10, 0x1F}, {-1, 5}, {}}}, {"Green", "Black", "Black"}};
        CMarkBlocksDlg dialog(0x100, remembered, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Blocks"));
        QCOMPARE(dialog.field(Block2Start)->text(), QString());
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
        const MarkUnitsSettings remembered{true, 2, "Red", "Blue", {}};
        CMarkUnitsDlg dialog(0x40, remembered, {0x10, 0x50}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Units"));
        QLineEdit* unit = dialog.field(UnitSize);
        QCOMPARE(unit->text(), QStringLiteral("2"));
        QCOMPARE(unit->maxLength(), 4);
        QCOMPARE(accessibleName(unit), QStringLiteral("Number of Bytes in Each Unit (Dec):"));

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

    void markPatternsLabelsFollowTheTypeAndChecksByType()
    {
        using namespace FieldId;
        ScriptedPrompter prompter;
        const MarkPatternsSettings remembered{false, PatternType::Type2,
                                              {{{"AA", "", "BB", {"Red", "Red", "Red"}},
                                                {"01", "", "04", {"Green", "Blue", ""}}}},
                                              {}};
        CMarkPatternsDlg dialog(0x100, remembered, {0x20, 0x10}, nullptr);
        show(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mark Patterns"));
        QVERIFY(control<QRadioButton>(dialog, PatternType2)->isChecked());
        QLineEdit* header = dialog.field(PatternHeader);
        QLineEdit* count = dialog.field(PatternCount);
        QLineEdit* tail = dialog.field(PatternTail);
        QCOMPARE(header->text(), QStringLiteral("01"));
        QCOMPARE(count->maxLength(), 8);
        QCOMPARE(control(dialog, PatternThirdColor)->currentIndex(), -1);
        QCOMPARE(accessibleName(header), QStringLiteral("Header Value (Hex):"));

        walk(dialog, {{PatternHeader, "|0 1", PatternHeader}, {PatternHeader, "7E", PatternCount},
                      {PatternCount, "|2b", PatternCount}, {PatternCount, "2", kNoOk},
                      {PatternTail, "|F F", PatternTail}});
        QCOMPARE(prompter.messages().size(), 4);
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
            {PatternType1, nullptr, true, "Color of Body Bytes:", false, "Tail Color:"},
            {PatternType2, "Number of Body Bytes (Dec):", true, "Color of Body Bytes:", false, "Tail Color:"},
            {PatternType3, "Number of Tail Bytes (Dec):", false, "Color of Tail Bytes:", true, "the Last Tail Byte"},
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
            QCOMPARE(header->text() + count->text() + tail->text(), QStringLiteral("7E2F F"));
            QCOMPARE(control(dialog, PatternSecondColor)->currentText(), QStringLiteral("Red"));
        }
        // Type3 has no tail to check.
        clickOk(dialog);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(prompter.messages().size(), 4);
        const MarkPatternsSettings accepted = dialog.settings();
        QCOMPARE(accepted.type, PatternType::Type3);
        QCOMPARE(accepted.perType[2].header + accepted.perType[2].count, QStringLiteral("7E2"));
        QCOMPARE(accepted.perType[2].colorNames, (std::array<QString, 3>{"Green", "Red", ""}));
        QCOMPARE(accepted.perType[0].header + accepted.perType[1].header, QStringLiteral("AA01"));
        QCOMPARE(accepted.block, (AddressBlock{0x20, 0x10}));
    }

    void colorBoxListsTheOfferedNamesSortedAndPreselectsOnlyAnExactName()
    {
        CColorComboBox combo;
        QVERIFY(!combo.isEditable());
        QStringList offered;
        for (const OfferedColor& color : offeredColors())
            offered << QLatin1String(color.name);
        offered.sort();
        QCOMPARE(itemTexts(combo), offered);
        for (int i = 0; i < combo.count(); ++i)
            QCOMPARE(colorOfTag(combo.itemData(i).toInt()), ColorFromName(combo.itemText(i)));
        QCOMPARE(colorOfTag(0), kDefaultTextColor);
        for (const auto& [name, shown] : {std::pair{"red", "kept"}, {"", "kept"}, {"Red ", "kept"}, {"Red", "Red"}}) {
            combo.selectColorName(QLatin1String(name));
            QCOMPARE(combo.colorName(QStringLiteral("kept")), QLatin1String(shown));
        }
        QCOMPARE(combo.currentIndex(), 6);
    }

    void colorBoxFramesASelectedItemInTheInverseColour()
    {
        CColorComboBox combo;
        QImage image(120, 16, QImage::Format_RGB32);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        // Red selected, then Blue not.
        for (const auto& [row, state, corner] : {std::tuple{6, QStyle::State_Selected, Qt::cyan},
                                                 std::tuple{1, QStyle::State_None, Qt::blue}}) {
            image.fill(Qt::white);
            option.state = state;
            QPainter painter(&image);
            combo.itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
            painter.end();
            QCOMPARE(image.pixelColor(0, 0), QColor(corner));
            QCOMPARE(image.pixelColor(0, 15), QColor(corner));
        }
        QCOMPARE(image.pixelColor(6, 8), QColor(Qt::blue));
    }
};

QTEST_MAIN(MarkDialogsTest)
#include "markdialogs_test.moc"
