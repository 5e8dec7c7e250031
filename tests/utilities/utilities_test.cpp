#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "app/cmainframe.h"
#include "byteops/filteredlineedit.h"
#include "listing/listingcontrol.h"
#include "support/apptestbase.h"
#include "utilities/asciitabletext.h"

namespace {

/// A utility window: the command, the window's title and object name, the
/// fraction of the screen where its top-left corner goes, and the key that closes it.
struct WindowKind {
    CommandId command;
    const char* title;
    const char* name;
    int screenDivisor;
    bool closedByEscape;
};
const WindowKind kKinds[] = {{CommandId::AsciiTable, "ASCII Table", "asciiTableWindow", 3, false},
                             {CommandId::NotationConvert, "Notation Convert", "notationConvertWindow", 2, true}};

/// Runs the window's command and returns the one visible window of that kind, which it opened or focused.
QDialog* openKind(AppFixture& fx, const WindowKind& kind)
{
    fx.run(kind.command);
    QList<QDialog*> open = fx.frame().findChildren<QDialog*>(kind.name);
    open.removeIf([](QDialog* window) { return !window->isVisible(); });
    return open.size() == 1 ? open.front() : nullptr;
}

/// Whether the ASCII table window shows the range's table.
bool showsRange(QWidget* window, AsciiTableText::Range range)
{
    const AsciiTableText table = AsciiTableText::build(range);
    return window->findChild<ListingControl*>("asciiHeader")->text() == table.header &&
           window->findChild<ListingControl*>("asciiBody")->text() == table.body;
}

}  // namespace

class UtilitiesTest : public QObject {
    Q_OBJECT

private slots:
    // Opened on top at its place, focused by a second command, working, and forgotten when closed.
    void windowsOpenOnceWorkAndCloseForGood()
    {
        AppFixture fx;
        // With a document open, Ctrl+V is also the Paste Bytes shortcut: the conversion fields must keep it.
        fx.run(CommandId::FileNew);
        for (const WindowKind& kind : kKinds) {
            QPointer<QDialog> first = openKind(fx, kind);
            QVERIFY(first);
            QCOMPARE(first->windowTitle(), QString::fromLatin1(kind.title));
            QCOMPARE(first->parentWidget(), &fx.frame());
            QVERIFY(!first->isModal() && (first->windowFlags() & Qt::WindowStaysOnTopHint));
            const QRect screen = fx.frame().screen()->geometry();
            QCOMPARE(first->pos(),
                     screen.topLeft() + QPoint(screen.width() / kind.screenDivisor, screen.height() / kind.screenDivisor));
            QCOMPARE(first->findChild<QPushButton*>("closeButton")->text(), QStringLiteral("Close"));

            fx.frame().activateWindow();
            QCoreApplication::processEvents();
            QCOMPARE(QApplication::activeWindow(), &fx.frame());
            QCOMPARE(openKind(fx, kind), first.data());
            QCOMPARE(QApplication::activeWindow(), first.data());
            if (kind.closedByEscape)
                notationConvertConvertsWhatIsTypedInEachHalf(first);
            else
                asciiTableStartsOnControlRangeAndSwitches(first);
            if (kind.closedByEscape)
                QTest::keyClick(first.data(), Qt::Key_Escape);
            else
                QTest::mouseClick(first->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
            QVERIFY(!first->isVisible());
            // Chosen again before the closed window is gone: a fresh one opens all the same.
            QDialog* second = openKind(fx, kind);
            QVERIFY(second && second != first);
            // The ASCII table was left on the standard range: the fresh window shows the control range.
            QVERIFY(kind.closedByEscape
                    || (second->findChild<QRadioButton*>("asciiRange0")->isChecked()
                        && showsRange(second, AsciiTableText::Range::Control)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(first.isNull());
            QCOMPARE(fx.frame().findChildren<QDialog*>(kind.name).size(), 1);
        }
    }

private:
    void asciiTableStartsOnControlRangeAndSwitches(QDialog* window)
    {
        auto* control = window->findChild<QRadioButton*>("asciiRange0");
        auto* standard = window->findChild<QRadioButton*>("asciiRange1");
        auto* header = window->findChild<ListingControl*>("asciiHeader");
        auto* body = window->findChild<ListingControl*>("asciiBody");
        QVERIFY(control->isChecked() && showsRange(window, AsciiTableText::Range::Control));
        // Each line: the bits in two groups, decimal and hex, then the name as users know it.
        QCOMPARE(header->text(), QByteArray("  Binary        Dec     Hex    Control"));
        QVERIFY(body->text().contains("\n  0000 1000     008     08     Backspace\n  0000 1001     009     09     HT\n"));

        // The header is a greyed caption on the window's colour; both boxes share the fixed-pitch font.
        QVERIFY(!header->isEnabled());
        QCOMPARE(header->backgroundColor(), window->palette().color(QPalette::Window));
        QVERIFY(header->height() < 2 * header->lineHeight());
        QVERIFY(!body->isReadOnly());
        QVERIFY(QFontInfo(body->font()).fixedPitch());
        QCOMPARE(header->font(), body->font());

        QTest::mouseClick(standard, Qt::LeftButton);
        QVERIFY(showsRange(window, AsciiTableText::Range::Standard));
        QVERIFY(body->text().contains("\n  0010 0010     034     22     \" \n  0010 0011     035     23     #\n"));
        QVERIFY(body->text().endsWith("\n  0111 1111     127     7F     delete\n"));
        // Whatever was typed into the body, switching back shows the table again.
        QTest::keyClicks(body, "xyz");
        QTest::mouseClick(control, Qt::LeftButton);
        QVERIFY(showsRange(window, AsciiTableText::Range::Control));

        QTest::mouseClick(standard, Qt::LeftButton);
    }

    void notationConvertConvertsWhatIsTypedInEachHalf(QDialog* window)
    {
        const auto field = [&](const char* half, const char* part) {
            return window->findChild<QLineEdit*>(QLatin1String(half) + QLatin1String(part));
        };
        struct Row {
            const char *half, *other, *typed, *shown, *number, *binary;
        };
        const Row kRows[] = {
            {"hex", "decimal", "ff", "FF", "255", "1111 1111 "},
            // The decimal of the 32 bits read as signed; one group per digit typed, leading zeros too.
            {"hex", "decimal", "80000000", "80000000", "-2147483648", "1000 0000 0000 0000 0000 0000 0000 0000 "},
            {"hex", "decimal", "0001", "0001", "1", "0000 0000 0000 0001 "},
            {"hex", "decimal", "123456789", "12345678", "305419896", "0001 0010 0011 0100 0101 0110 0111 1000 "},
            // Upper-case hex without leading zeros, and the groups of that hex.
            {"decimal", "hex", "999999999", "99999999", "5F5E0FF", "0101 1111 0101 1110 0000 1111 1111 "},
            {"decimal", "hex", "00016", "00016", "10", "0001 0000 "},
        };
        for (const Row& row : kRows) {
            QTest::keyClicks(field(row.half, "Input"), row.typed);
            QCOMPARE(field(row.half, "Input")->text(), QLatin1String(row.shown));
            QCOMPARE(field(row.half, "Number")->text(), QLatin1String(row.number));
            QCOMPARE(field(row.half, "Binary")->text(), QLatin1String(row.binary));
            // The halves are independent.
            QVERIFY(field(row.other, "Input")->text().isEmpty() && field(row.other, "Number")->text().isEmpty());
            // Pasted text with a space clears the outputs, as clearing the field does.
            QGuiApplication::clipboard()->setText(QStringLiteral("12 34"));
            for (Qt::Key key : {Qt::Key_A, Qt::Key_V}) {
                QTest::keyClick(field(row.half, "Input"), key, Qt::ControlModifier);
                QVERIFY(field(row.half, "Number")->text().isEmpty() == (key == Qt::Key_V));
            }
            QCOMPARE(field(row.half, "Input")->text(), QStringLiteral("12 34"));
            QVERIFY(field(row.half, "Binary")->text().isEmpty());
            QTest::keyClick(field(row.half, "Input"), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(field(row.half, "Input"), Qt::Key_Backspace);
        }
        QSignalSpy beeps(qobject_cast<FilteredLineEdit*>(field("hex", "Input")), &FilteredLineEdit::refused);
        QTest::keyClicks(field("hex", "Input"), "1g");
        QCOMPARE(field("hex", "Input")->text(), QStringLiteral("1"));
        QCOMPARE(beeps.size(), 1);
        QCOMPARE(beeps.front().front().value<QChar>(), QChar(u'g'));
        QCOMPARE(field("hex", "Binary")->text(), QStringLiteral("0001 "));
    }
};

QTEST_MAIN(UtilitiesTest)
#include "utilities_test.moc"
