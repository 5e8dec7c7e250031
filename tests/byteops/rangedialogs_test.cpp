#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include "byteops/decimalfield.h"
#include "byteops/fieldids.h"
#include "byteops/hexfield.h"
#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"
#include "support/dialogdriver.h"

using namespace DialogDriver;

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
};

QTEST_MAIN(RangeDialogsTest)
#include "rangedialogs_test.moc"
