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
#include "support/dialogwalk.h"

using namespace DialogDriver;

namespace {

constexpr int kStart = FieldId::StartAddress;
constexpr int kEnd = FieldId::EndAddress;

/// Clicks the radio button with the accessible name on its indicator (a stretched button takes clicks only there).
void choose(QDialog& dialog, const QString& name)
{
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (accessibleName(button) == name)
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QString checkedRadio(QDialog& dialog)
{
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (button->isChecked())
            return accessibleName(button);
    return {};
}

const QString kStartLarger = "The value in the Start Address field can not be larger than the value of the file size!";

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
        QCOMPARE(labelOf(fieldOf(dialog, FieldId::InsertCount)), QStringLiteral("Number of Bytes (Dec):"));
        QCOMPARE(accessibleName(fieldOf(dialog, FieldId::InsertValue)), QStringLiteral("Default Byte Value (Hex):"));
        QCOMPARE(fieldOf(dialog, FieldId::InsertCount)->text() + fieldOf(dialog, FieldId::InsertValue)->text(), "000");
        walkDialog(dialog, prompter,
                   {{{{kStart, "10"}, {FieldId::InsertCount, ""}, {FieldId::InsertValue, ""}},
                     "Please fill the Default Byte Value (Hex) field!", FieldId::InsertValue},
                    {{{FieldId::InsertValue, "abc"}}, "Please fill the Number of Bytes (Dec) field!", FieldId::InsertCount},
                    {{{FieldId::InsertCount, "1234567890"}, {kStart, "101"}}, kStartLarger, kStart},
                    {{{kStart, "100"}}}});
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
        walkDialog(dialog, prompter,
                   {{{}, "Please fill the Start Address field!", kStart},
                    {{{kStart, "1 "}}, "Start Address field contains invalid characters!", kStart},
                    {{{kStart, "1"}}, kStartLarger, kStart},
                    {{{kStart, "0"}}}});
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
        QCOMPARE(labelOf(fieldOf(dialog, FieldId::NewValue)), QStringLiteral("New Value (Hex):"));
        QCOMPARE(fieldOf(dialog, kEnd)->text(), QStringLiteral("FF"));  // clamped to the last byte
        QCOMPARE(fieldOf(dialog, FieldId::OldValue)->text(), QStringLiteral("00"));
        walkDialog(dialog, prompter,
                   {{{{FieldId::OldValue, ""}, {FieldId::NewValue, ""}, {kStart, "100"}},
                     "The value in the Start Address field can not be the same or larger than the value of the file "
                     "size!",
                     kStart},
                    {{{kStart, "f0"}, {kEnd, "10"}}, "Please fill the Old Value field!", FieldId::OldValue},
                    {{{FieldId::OldValue, "-"}}, "Old Value field contains invalid characters!", FieldId::OldValue},
                    {{{FieldId::OldValue, "0"}}, "Please fill the New Value field!", FieldId::NewValue},
                    {{{FieldId::NewValue, "ff"}}}});
        QCOMPARE(dialog.start(), 0xF0);
        QCOMPARE(dialog.end(), 0x10);
        QCOMPARE(dialog.oldValue(), 0x00);
        QCOMPARE(dialog.newValue(), 0xFF);
    }

    void bitwiseShiftShowsAndReturnsTheChoice()
    {
        ScriptedPrompter prompter;
        BitwiseShiftDialog fresh(0x100, 0, 0, ShiftChoice{}, nullptr);
        QCOMPARE(checkedRadio(fresh) + fieldOf(fresh, FieldId::ShiftCount)->text(), QStringLiteral("Left Shift0"));
        BitwiseShiftDialog dialog(0x100, 0x10, 0x200, {ShiftChoice::Direction::Right, 3}, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Bitwise Shift On Bytes"));
        QCOMPARE(groupTitles(dialog), (QStringList{"Bitwise Shift Type", "Apply to block"}));
        QCOMPARE(checkedRadio(dialog), QStringLiteral("Right Shift"));
        QCOMPARE(labelOf(fieldOf(dialog, FieldId::ShiftCount)), QStringLiteral("Number of Shift (Dec):"));
        QCOMPARE(fieldOf(dialog, FieldId::ShiftCount)->text(), QStringLiteral("3"));
        QCOMPARE(fieldOf(dialog, kEnd)->text(), QStringLiteral("200"));  // the end is not clamped
        walkDialog(dialog, prompter,
                   {{{},
                     "The value in the End Address field can not be the same or larger than the value of the file "
                     "size!",
                     kEnd},
                    {{{kEnd, "1f"}, {FieldId::ShiftCount, ""}}, "Please fill the Number of Shift (Dec) field!",
                     FieldId::ShiftCount}});
        retype(fieldOf(dialog, FieldId::ShiftCount), "x95");
        choose(dialog, "Left Shift");
        walkDialog(dialog, prompter, {{}});
        QCOMPARE(dialog.choice(), (ShiftChoice{ShiftChoice::Direction::Left, 9}));
        QCOMPARE(dialog.end(), 0x1F);
    }

    void maskBytesShowsAndReturnsTheChoice()
    {
        ScriptedPrompter prompter;
        MaskBytesDialog first(0x100, 0x10, 0x20, MaskChoice{}, nullptr);
        QCOMPARE(first.windowTitle(), QStringLiteral("Mask Bytes"));
        QCOMPARE(groupTitles(first), (QStringList{"Mask Type", "Apply to block"}));
        QCOMPARE(checkedRadio(first) + fieldOf(first, FieldId::MaskValue)->text(), QStringLiteral("ANDFF"));
        MaskBytesDialog dialog(0x100, 0x10, 0x20, {MaskChoice::Type::Xor, 0x0F}, nullptr);
        dialog.show();
        QCOMPARE(checkedRadio(dialog), QStringLiteral("XOR"));
        QCOMPARE(labelOf(fieldOf(dialog, FieldId::MaskValue)), QStringLiteral("Mask Value (Hex):"));
        QCOMPARE(fieldOf(dialog, FieldId::MaskValue)->text(), QStringLiteral("F"));
        walkDialog(dialog, prompter, {{{{FieldId::MaskValue, ""}}, "Please fill the Mask Value field!", FieldId::MaskValue}});
        choose(dialog, "OR");
        walkDialog(dialog, prompter, {{{{FieldId::MaskValue, "a5"}}}});
        QCOMPARE(dialog.choice(), (MaskChoice{MaskChoice::Type::Or, 0xA5}));
    }
};

QTEST_MAIN(EditDialogsTest)
#include "editdialogs_test.moc"
