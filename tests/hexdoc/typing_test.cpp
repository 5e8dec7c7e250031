#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/cmainframe.h"
#include "hexdoc/hexlistingtext.h"
#include "support/openedfile.h"

namespace {

/// A position in the listing by data line and column.
struct At {
    qint64 line;
    int column;
};

}  // namespace

Q_DECLARE_METATYPE(At)

namespace {

struct Opened : OpenedFile {
    explicit Opened(int byteCount) : OpenedFile(QByteArray(byteCount, '\0')) {}
    explicit Opened(const QByteArray& bytes) : OpenedFile(bytes) {}
    TextPos pos(At at) const { return view->layout().JoinPosition(at.line, at.column); }
    void caretAt(At at) { view->setSelection(pos(at), pos(at)); }
    void press(const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            if (*k == '\b')
                QTest::keyClick(view, Qt::Key_Backspace);
            else
                QTest::keyClicks(view, QString(QLatin1Char(*k)));
        }
    }
    QByteArray cells(ByteOffset offset) const
    {
        const HexPositions digits = view->layout().HexPositionOfOffset(offset);
        const TextPos cell = view->layout().CharPositionOfHexPosition(digits.first);
        return view->text(digits.first, digits.second + 1) + view->text(cell, cell + 1);
    }
};

}  // namespace

class TypingTest : public QObject {
    Q_OBJECT

private slots:
    void digitsOverwriteBytes_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("column");  // the column the caret starts on
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QByteArray>("shown");  // both digits and the character cell
        QTest::addColumn<At>("caret");
        QTest::addColumn<bool>("modified");
        // 40 zero bytes: the last byte is byte 7 of line 2.
        QTest::newRow("a on a first digit") << 0 << 9 << "a" << QByteArray("A0.") << At{0, 10} << true;
        QTest::newRow("two digits") << 0 << 9 << "41" << QByteArray("41A") << At{0, 12} << true;
        QTest::newRow("after byte 7") << 7 << 30 << "41" << QByteArray("41A") << At{0, 34} << true;
        QTest::newRow("after byte 15") << 15 << 55 << "4F" << QByteArray("4FO") << At{1, 9} << true;
        QTest::newRow("last byte's second digit") << 39 << 31 << "7" << QByteArray("07.") << At{2, 32} << true;
        QTest::newRow("the digit already there") << 0 << 9 << "0" << QByteArray("00.") << At{0, 10} << false;
        QTest::newRow("not on a digit") << 0 << 11 << "5" << QByteArray("00.") << At{0, 11} << false;
        QTest::newRow("on a character cell") << 0 << 60 << "5" << QByteArray("00.") << At{0, 60} << false;
        QTest::newRow("past the last byte") << 39 << 34 << "5" << QByteArray("00.") << At{2, 34} << false;
    }

    void digitsOverwriteBytes()
    {
        QFETCH(int, offset);
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QByteArray, shown);
        QFETCH(At, caret);
        QFETCH(bool, modified);
        Opened o(40);
        o.caretAt({offset / 16, column});
        o.press(qPrintable(keys));
        QCOMPARE(o.cells(offset), shown);
        QCOMPARE(o.doc->bytes().byteAt(offset), std::uint8_t(shown.left(2).toUInt(nullptr, 16)));
        QCOMPARE(o.view->selection(), (TextRange{o.pos(caret), o.pos(caret)}));
        QCOMPARE(o.doc->isModified(), modified);
        QCOMPARE(o.doc->bytesChanged(), modified ? 1 : 0);
    }

    void spaceAndBackspaceOnlyMoveTheCaret_data()
    {
        QTest::addColumn<int>("byteCount");
        QTest::addColumn<At>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<At>("to");
        QTest::newRow("space to the next digit") << 40 << At{0, 10} << " " << At{0, 11};
        QTest::newRow("space in the header") << 40 << At{-1, 5} << " " << At{0, 9};
        QTest::newRow("space from the line number") << 40 << At{0, 3} << " " << At{0, 9};
        QTest::newRow("space over the double gap") << 40 << At{0, 32} << " " << At{0, 34};
        QTest::newRow("space from the character cells") << 40 << At{0, 57} << " " << At{1, 9};
        QTest::newRow("space past the end") << 40 << At{2, 32} << " " << At{2, 32};
        QTest::newRow("backspace at the first digit") << 40 << At{0, 9} << "\b" << At{0, 9};
        QTest::newRow("backspace to the previous line") << 40 << At{1, 9} << "\b" << At{0, 56};
        QTest::newRow("backspace over the double gap") << 40 << At{0, 34} << "\b" << At{0, 31};
        QTest::newRow("backspace from the character cells") << 40 << At{0, 60} << "\b" << At{0, 56};
        QTest::newRow("backspace after the last byte") << 40 << At{2, 40} << "\b" << At{2, 31};
        QTest::newRow("backspace after a full last line") << 32 << At{2, 5} << "\b" << At{1, 56};
    }

    void spaceAndBackspaceOnlyMoveTheCaret()
    {
        QFETCH(int, byteCount);
        QFETCH(At, from);
        QFETCH(QString, keys);
        QFETCH(At, to);
        Opened o(byteCount);
        const QByteArray before = o.view->text();
        o.caretAt(from);
        o.press(qPrintable(keys));
        QCOMPARE(o.view->selection(), (TextRange{o.pos(to), o.pos(to)}));
        QCOMPARE(o.view->text(), before);
        QVERIFY(!o.doc->isModified());
    }

    void typingWithASelectionDoesNothing()
    {
        Opened o(40);
        o.view->setSelection(o.pos({0, 9}), o.pos({0, 11}));
        o.press("f");
        QCOMPARE(o.cells(0), QByteArray("00."));
        QVERIFY(!o.doc->isModified());
    }

    void typingOverTrimmedSpacesShowsTheirCells()
    {
        Opened o(QByteArray("xx  "));
        QVERIFY(o.view->text().endsWith("xx"));
        o.caretAt({0, 18});
        o.press("43");
        QVERIFY(o.view->text().endsWith("78 78 20 43" + QByteArray(40, ' ') + "xx C"));
        o.caretAt({0, 18});
        o.press("20");
        QVERIFY(o.view->text().endsWith("xx"));
        // The listing stays the one made from the bytes: no copy of the text was taken.
        QVERIFY(dynamic_cast<const HexListingText*>(&o.view->textSource()));
        QCOMPARE(o.cells(0), QByteArray("78x"));
    }

    void marksStayThroughTypingAndGoWithANewListing()
    {
        Opened o(40);
        o.view->markBytes(1, 2, 0x0000FF);
        const HexPositions byte1 = o.view->layout().HexPositionOfOffset(1);
        const TextPos cell1 = o.view->layout().CharPositionOfHexPosition(byte1.first);
        QCOMPARE(o.view->formatAt(byte1.first).color, Rgb(0x0000FF));
        QCOMPARE(o.view->formatAt(byte1.second + 1).color, kDefaultTextColor);  // the space after the cell
        QCOMPARE(o.view->formatAt(cell1).color, Rgb(0x0000FF));
        o.caretAt({0, 12});
        o.press("41");
        QCOMPARE(o.cells(1), QByteArray("41A"));
        QCOMPARE(o.view->formatAt(byte1.first).color, Rgb(0x0000FF));
        QCOMPARE(o.view->formatAt(cell1).color, Rgb(0x0000FF));
        // The header keeps its underline under the marks' layer.
        QVERIFY(o.view->formatAt(9).underline);
        const std::uint8_t extra = 0;
        QVERIFY(o.doc->bytes().insert(0, std::span(&extra, 1)));
        QCOMPARE(o.view->byteMarkAt(1), kDefaultTextColor);
        QCOMPARE(o.view->formatAt(byte1.first).color, kDefaultTextColor);
    }

    void typedBytesShowInEveryViewAndAreSaved()
    {
        Opened o(40);
        CVellmarView* first = o.view;
        QVERIFY(o.fx.run(CommandId::WindowNew));
        CVellmarView* second = o.fx.activeView();
        QVERIFY(second != first);
        o.view = second;
        o.caretAt({1, 9});
        o.press("7e");
        o.view = first;
        QCOMPARE(o.cells(16), QByteArray("7E~"));
        QVERIFY(o.fx.run(CommandId::FileSave));
        QByteArray expected(40, '\0');
        expected[16] = '\x7e';
        QCOMPARE(AppFixture::readFile(o.file), expected);
        QVERIFY(!o.doc->isModified());
    }

    void findWindowFollowsTheActiveView()
    {
        Opened o(16);
        CVellmarView* first = o.view;
        QWidget findWindow;
        first->setFindWindow(&findWindow);
        QVERIFY(o.fx.run(CommandId::WindowNew));
        QVERIFY(findWindow.isHidden());
        o.fx.frame().mdiArea()->setActiveSubWindow(o.fx.frame().mdiArea()->subWindowList().first());
        QCoreApplication::processEvents();
        QVERIFY(findWindow.isVisible());
    }
};

QTEST_MAIN(TypingTest)
#include "typing_test.moc"
