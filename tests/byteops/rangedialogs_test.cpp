#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "byteops/bitwiseshiftdialog.h"
#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"
#include "byteops/insertbytesdialog.h"
#include "byteops/maskbytesdialog.h"
#include "byteops/pastebytesdialog.h"
#include "byteops/replacebytesdialog.h"
#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"
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

class RangeDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void typedCharactersAreFilteredAndTheEditingShortcutsKept()
    {
        QWidget window;
        auto* copyBytes = new QAction(&window);  // the main window's Copy Bytes, on the same shortcut
        copyBytes->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
        window.addAction(copyBytes);
        QSignalSpy triggered(copyBytes, &QAction::triggered);
        auto* field = new HexField(8, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy refused(field, &FilteredLineEdit::refused);
        QTest::keyClicks(field, "g 1abcdef0123");
        QCOMPARE(field->text(), QStringLiteral("1ABCDEF0"));  // eight digits at most
        QCOMPARE(refused.size(), 2);
        QCOMPARE(refused.at(0).at(0).value<QChar>(), QLatin1Char('g'));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1ABCDEF0"));
        // Pasted text is not filtered; the checks on OK refuse it.
        QGuiApplication::clipboard()->setText(QStringLiteral("12 34"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(field->text(), QStringLiteral("12 34"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(field->text(), QString());
        QCOMPARE(triggered.size(), 0);

        DecimalField count(9);
        QTest::keyClicks(&count, "1a2");
        QCOMPARE(count.text(), QStringLiteral("12"));
    }

    void goToRefusesThenSelectsTheByte()
    {
        AppFixture fx;
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(256, 'x'))));
        AppFixture::onNextModal([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Go To"));
            QLineEdit* address = fieldOf(dialog, FieldId::GoToAddress);
            QCOMPARE(address->text(), QStringLiteral("0"));
            QCOMPARE(accessibleName(address), QStringLiteral("Go To Address (Hex):"));
            retype(address, "ffffffff");
            clickOk(dialog);
            QCOMPARE(fx.prompter().messages(),
                     QStringList{"The value in the Address field can not be the same or larger than the value of the "
                                 "file size!"});
            QCOMPARE(address->selectedText(), QStringLiteral("FFFFFFFF"));
            retype(address, "10");
            clickOk(dialog);
        });
        QVERIFY(fx.run(CommandId::GoTo));
        CVellmarView* view = fx.activeView();
        const HexPositions digits = view->layout().HexPositionOfOffset(0x10);
        QCOMPARE(view->selection(), (TextRange{digits.first, digits.second + 1}));
        QCOMPARE(view->text(digits.first - 9, digits.first - 2), QByteArray("0000001"));
    }

    void selectBytesClampsAndOrders()
    {
        AppFixture fx;
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(40, 'x'))));
        CVellmarView* view = fx.activeView();
        view->setSelection(view->layout().HexPositionOfOffset(2).first, view->textLength());
        AppFixture::onNextModal([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Bytes"));
            QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
            QLineEdit* end = fieldOf(dialog, FieldId::EndAddress);
            QCOMPARE(dialog.focusWidget(), start);
            QCOMPARE(start->selectedText(), QStringLiteral("2"));
            QCOMPARE(end->text(), QStringLiteral("27"));
            QCOMPARE(labelOf(end), QStringLiteral("End Address (Hex):"));
            retype(start, "5");
            retype(end, "3");
            clickOk(dialog);
        });
        QVERIFY(fx.run(CommandId::SelectBytes));
        QVERIFY(fx.prompter().messages().isEmpty());
        QCOMPARE(view->selection(), (TextRange{view->layout().HexPositionOfOffset(3).first,
                                               view->layout().HexPositionOfOffset(5).second + 1}));
    }

    void insertBytesChecksTheValueBeforeTheCount()
    {
        ScriptedPrompter prompter;
        InsertBytesDialog dialog(0x100, 0x10, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Bytes"));
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
        QCOMPARE(checkedRadio(dialog), QStringLiteral("Right Shift"));
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
        QCOMPARE(checkedRadio(first) + fieldOf(first, FieldId::MaskValue)->text(), QStringLiteral("ANDFF"));
        MaskBytesDialog dialog(0x100, 0x10, 0x20, {MaskChoice::Type::Xor, 0x0F}, nullptr);
        dialog.show();
        QCOMPARE(checkedRadio(dialog), QStringLiteral("XOR"));
        QCOMPARE(fieldOf(dialog, FieldId::MaskValue)->text(), QStringLiteral("F"));
        walkDialog(dialog, prompter, {{{{FieldId::MaskValue, ""}}, "Please fill the Mask Value field!", FieldId::MaskValue}});
        choose(dialog, "OR");
        walkDialog(dialog, prompter, {{{{FieldId::MaskValue, "a5"}}}});
        QCOMPARE(dialog.choice(), (MaskChoice{MaskChoice::Type::Or, 0xA5}));
    }
};

QTEST_MAIN(RangeDialogsTest)
#include "rangedialogs_test.moc"
