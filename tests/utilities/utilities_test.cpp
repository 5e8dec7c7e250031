#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
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

/// The two utility windows: the command, the window's title and object name,
/// and the fraction of the screen where its top-left corner goes.
struct WindowKind {
    CommandId command;
    const char* title;
    const char* name;
    int screenDivisor;
};
const WindowKind kAsciiTable{CommandId::AsciiTable, "ASCII Table", "asciiTableWindow", 3};
const WindowKind kNotationConvert{CommandId::NotationConvert, "Notation Convert", "notationConvertWindow", 2};
const WindowKind* const kKinds[] = {&kAsciiTable, &kNotationConvert};

/// The open (visible) utility window with that object name, if exactly one is open.
QDialog* openWindow(CMainFrame& frame, const QString& name)
{
    QList<QDialog*> open;
    for (QDialog* window : frame.findChildren<QDialog*>(name))
        if (window->isVisible())
            open << window;
    return open.size() == 1 ? open.front() : nullptr;
}

QAction* helpMenuItem(CMainFrame& frame, const QString& text)
{
    for (QAction* top : frame.menuBar()->actions())
        if (top->text() == QLatin1String("&Help"))
            for (QAction* item : top->menu()->actions())
                if (item->text() == text)
                    return item;
    return nullptr;
}

template <class T>
T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

QPushButton* closeButton(QWidget* window)
{
    return child<QPushButton>(window, "closeButton");
}

/// The ASCII table's range buttons, header and body, and what they show.
struct AsciiView {
    explicit AsciiView(QWidget* window)
        : control(child<QRadioButton>(window, "asciiRange0"))
        , standard(child<QRadioButton>(window, "asciiRange1"))
        , header(child<ListingControl>(window, "asciiHeader"))
        , body(child<ListingControl>(window, "asciiBody"))
    {
    }
    bool shows(AsciiTableText::Range range) const
    {
        const AsciiTableText table = AsciiTableText::build(range);
        return header->text() == table.header && body->text() == table.body;
    }
    QRadioButton* control;
    QRadioButton* standard;
    ListingControl* header;
    ListingControl* body;
};

/// Runs the window's command and returns the window it opened or focused.
QDialog* openKind(AppFixture& fx, const WindowKind& kind)
{
    fx.run(kind.command);
    return openWindow(fx.frame(), QString::fromLatin1(kind.name));
}

QDialog* openNotationConvert(AppFixture& fx)
{
    return openKind(fx, kNotationConvert);
}

/// One half of the Notation Convert window: its input and its two outputs.
struct NotationHalf {
    NotationHalf(QWidget* window, const QString& name)
        : input(window->findChild<QLineEdit*>(name + "Input"))
        , number(window->findChild<QLineEdit*>(name + "Number"))
        , binary(window->findChild<QLineEdit*>(name + "Binary"))
    {
    }
    bool outputsEmpty() const { return number->text().isEmpty() && binary->text().isEmpty(); }
    QLineEdit* input;
    QLineEdit* number;
    QLineEdit* binary;
};

}  // namespace

class UtilitiesTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTopAtItsPlace_data() { addKindRows(); }
    void opensOnTopAtItsPlace()
    {
        QFETCH(int, kind);
        AppFixture fx;
        QDialog* window = openKind(fx, *kKinds[kind]);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString::fromLatin1(kKinds[kind]->title));
        QCOMPARE(window->parentWidget(), &fx.frame());
        QVERIFY(!window->isModal());
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        const QRect screen = fx.frame().screen()->geometry();
        const int divisor = kKinds[kind]->screenDivisor;
        QCOMPARE(window->pos(), screen.topLeft() + QPoint(screen.width() / divisor, screen.height() / divisor));
        QCOMPARE(closeButton(window)->text(), QStringLiteral("Close"));
    }

    void asciiTableStartsOnControlRangeAndSwitches()
    {
        AppFixture fx;
        QDialog* window = openKind(fx, kAsciiTable);
        QVERIFY(window);
        const AsciiView ascii(window);
        QCOMPARE(ascii.control->text(), QStringLiteral("0 - 31 (Control functions)"));
        QCOMPARE(ascii.standard->text(), QStringLiteral("32 - 127 (Standard characters)"));
        QVERIFY(ascii.control->isChecked());
        QVERIFY(ascii.shows(AsciiTableText::Range::Control));

        // The header is a greyed caption on the window's colour; both boxes share the fixed-pitch font.
        QVERIFY(!ascii.header->isEnabled());
        QCOMPARE(ascii.header->backgroundColor(), window->palette().color(QPalette::Window));
        QVERIFY(ascii.header->height() < 2 * ascii.header->lineHeight());
        QVERIFY(!ascii.body->isReadOnly());
        QVERIFY(QFontInfo(ascii.body->font()).fixedPitch());
        QCOMPARE(ascii.header->font(), ascii.body->font());

        QTest::mouseClick(ascii.standard, Qt::LeftButton);
        QVERIFY(ascii.shows(AsciiTableText::Range::Standard));
        // Whatever was typed into the body, switching back shows the table again.
        QTest::keyClicks(ascii.body, "xyz");
        QTest::mouseClick(ascii.control, Qt::LeftButton);
        QVERIFY(ascii.shows(AsciiTableText::Range::Control));

        // Left on the standard range, closed and chosen again: the fresh window shows the control range.
        QTest::mouseClick(ascii.standard, Qt::LeftButton);
        QTest::mouseClick(closeButton(window), Qt::LeftButton);
        QDialog* reopened = openKind(fx, kAsciiTable);
        QVERIFY(reopened);
        const AsciiView fresh(reopened);
        QVERIFY(fresh.control->isChecked());
        QVERIFY(fresh.shows(AsciiTableText::Range::Control));
    }

    void secondCommandOnlyFocuses_data() { addKindRows(); }
    void secondCommandOnlyFocuses()
    {
        QFETCH(int, kind);
        AppFixture fx;
        QPointer<QDialog> first = openKind(fx, *kKinds[kind]);
        QVERIFY(first);
        fx.frame().activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &fx.frame());

        QCOMPARE(openKind(fx, *kKinds[kind]), first.data());
        QCOMPARE(fx.frame().findChildren<QDialog*>(kKinds[kind]->name).size(), 1);
        QCOMPARE(QApplication::activeWindow(), first.data());
    }

    void closingForgetsTheWindow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("byEscape");
        for (int kind = 0; kind < int(std::size(kKinds)); ++kind) {
            QTest::addRow("%s, Close", kKinds[kind]->title) << kind << false;
            QTest::addRow("%s, Escape", kKinds[kind]->title) << kind << true;
        }
    }

    void closingForgetsTheWindow()
    {
        QFETCH(int, kind);
        QFETCH(bool, byEscape);
        AppFixture fx;
        QPointer<QDialog> first = openKind(fx, *kKinds[kind]);
        QVERIFY(first);
        if (byEscape)
            QTest::keyClick(first.data(), Qt::Key_Escape);
        else
            QTest::mouseClick(closeButton(first), Qt::LeftButton);
        QVERIFY(!first->isVisible());

        // Chosen again before the closed window is gone: a fresh one opens all the same.
        const QString name = QString::fromLatin1(kKinds[kind]->name);
        QVERIFY(fx.frame().executeCommand(kKinds[kind]->command));
        QDialog* second = openWindow(fx.frame(), name);
        QVERIFY(second);
        QVERIFY(second != first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(fx.frame().findChildren<QDialog*>(name).size(), 1);
    }

    void availableInEveryWindowState_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("no document") << int(WindowState::NoDocument);
        QTest::newRow("plain document") << int(WindowState::PlainDocument);
        QTest::newRow("Com Panel") << int(WindowState::ComPanel);
        QTest::newRow("comparison") << int(WindowState::Comparison);
    }

    void availableInEveryWindowState()
    {
        QFETCH(int, state);
        AppFixture fx;
        fx.enterWindowState(WindowState(state));
        QCOMPARE(int(fx.frame().windowState()), state);

        for (const WindowKind* kind : kKinds) {
            QAction* item = helpMenuItem(fx.frame(), QString::fromLatin1(kind->title) + QStringLiteral("..."));
            QVERIFY2(item && item->isEnabled(), kind->title);
            item->trigger();
            QVERIFY2(openWindow(fx.frame(), QString::fromLatin1(kind->name)), kind->title);
        }
    }

    void typedDigitsConvertAndClearing_data()
    {
        QTest::addColumn<QString>("half");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("binary");
        const auto row = [](const char* half, const char* typed, const char* shown, const char* number,
                            const char* binary) {
            QTest::addRow("%s %s", half, typed) << half << typed << shown << number << binary;
        };
        row("hex", "ff", "FF", "255", "1111 1111 ");
        row("hex", "123456789", "12345678", "305419896", "0001 0010 0011 0100 0101 0110 0111 1000 ");
        row("decimal", "255", "255", "FF", "1111 1111 ");
        row("decimal", "999999999", "99999999", "5F5E0FF", "0101 1111 0101 1110 0000 1111 1111 ");
    }

    void typedDigitsConvertAndClearing()
    {
        QFETCH(QString, half);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, number);
        QFETCH(QString, binary);
        AppFixture fx;
        QWidget* window = openNotationConvert(fx);
        const NotationHalf field(window, half);
        const NotationHalf other(window, half == QLatin1String("hex") ? QStringLiteral("decimal") : QStringLiteral("hex"));
        QTest::keyClicks(field.input, typed);
        QCOMPARE(field.input->text(), shown);
        QCOMPARE(field.number->text(), number);
        QCOMPARE(field.binary->text(), binary);
        // The halves are independent.
        QVERIFY(other.input->text().isEmpty() && other.outputsEmpty());
        QTest::keyClick(field.input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field.input, Qt::Key_Backspace);
        QVERIFY(field.outputsEmpty());
    }

    void pastedTextWithASpaceClearsTheOutputs()
    {
        AppFixture fx;
        // With a document open, Ctrl+V is also the Paste Bytes shortcut: the field must keep it.
        fx.run(CommandId::FileNew);
        QWidget* window = openNotationConvert(fx);
        for (const char* half : {"hex", "decimal"}) {
            const NotationHalf field(window, QString::fromLatin1(half));
            QTest::keyClicks(field.input, "12");
            QVERIFY2(!field.outputsEmpty(), half);
            QGuiApplication::clipboard()->setText(QStringLiteral("12 34"));
            QTest::keyClick(field.input, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(field.input, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field.input->text(), QStringLiteral("12 34"));
            QVERIFY2(field.outputsEmpty(), half);
        }
    }

    void hexFieldRefusesLettersBeyondF()
    {
        AppFixture fx;
        const NotationHalf hex(openNotationConvert(fx), QStringLiteral("hex"));
        QSignalSpy beeps(qobject_cast<FilteredLineEdit*>(hex.input), &FilteredLineEdit::refused);
        QTest::keyClicks(hex.input, "1g");
        QCOMPARE(hex.input->text(), QStringLiteral("1"));
        QCOMPARE(beeps.size(), 1);
        QCOMPARE(beeps.front().front().value<QChar>(), QChar(u'g'));
        QCOMPARE(hex.number->text(), QStringLiteral("1"));
        QCOMPARE(hex.binary->text(), QStringLiteral("0001 "));
    }

private:
    static void addKindRows()
    {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < int(std::size(kKinds)); ++kind)
            QTest::newRow(kKinds[kind]->title) << kind;
    }
};

QTEST_MAIN(UtilitiesTest)
#include "utilities_test.moc"
