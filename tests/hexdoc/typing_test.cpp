#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/cmainframe.h"
#include "hexdoc/hexlistingtext.h"
#include "support/openedfile.h"

namespace {

/// A position in the listing by data line and column; line -1 is the header.
struct At {
    qint64 line;
    int column;
};

struct Opened : OpenedFile {
    explicit Opened(const QByteArray& bytes = QByteArray(40, '\0')) : OpenedFile(bytes) {}
    TextPos pos(At at) const { return at.line < 0 ? at.column : view->layout().JoinPosition(at.line, at.column); }
    void caretAt(At at) { view->setSelection(pos(at), pos(at)); }
    TextRange caret(At at) const { return {pos(at), pos(at)}; }
    void press(const QString& keys)
    {
        for (const QChar key : keys) {
            if (key == QLatin1Char('\b'))
                QTest::keyClick(view, Qt::Key_Backspace);
            else
                QTest::keyClicks(view, QString(key));
        }
    }
    /// Both digits and the character cell of a byte.
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
    void digitsOverwriteBytes()
    {
        // 40 zero bytes: the last byte is byte 7 of line 2.
        const struct {
            int offset;
            At from;
            const char* keys;
            QByteArray shown;
            At to;
        } rows[] = {
            {0, {0, 9}, "a", "A0.", {0, 10}},      {0, {0, 9}, "41", "41A", {0, 12}},
            {7, {0, 30}, "41", "41A", {0, 34}},    {15, {0, 55}, "4F", "4FO", {1, 9}},
            {39, {2, 31}, "7", "07.", {2, 32}},    {0, {0, 9}, "0", "00.", {0, 10}},  // the digit already there
            {0, {0, 11}, "5", "00.", {0, 11}},     {0, {0, 60}, "5", "00.", {0, 60}},
            {39, {2, 34}, "5", "00.", {2, 34}},
        };
        for (const auto& row : rows) {
            Opened o;
            o.caretAt(row.from);
            o.press(QString::fromLatin1(row.keys));
            QCOMPARE(o.cells(row.offset), row.shown);
            QCOMPARE(o.doc->bytes().byteAt(row.offset), std::uint8_t(row.shown.left(2).toUInt(nullptr, 16)));
            QCOMPARE(o.view->selection(), o.caret(row.to));
            QCOMPARE(o.doc->bytesChanged(), row.shown == "00." ? 0 : 1);
            QCOMPARE(o.doc->isModified(), row.shown != "00.");
        }
        // With a selection typing does nothing.
        Opened o;
        o.view->setSelection(o.pos({0, 9}), o.pos({0, 11}));
        o.press("f");
        QVERIFY(!o.doc->isModified());
    }

    void spaceAndBackspaceOnlyMoveTheCaret()
    {
        const struct {
            At from;
            const char* key;
            At to;
        } rows[] = {
            {{0, 10}, " ", {0, 11}},  {{-1, 5}, " ", {0, 9}},   {{0, 3}, " ", {0, 9}},    {{0, 32}, " ", {0, 34}},
            {{0, 57}, " ", {1, 9}},   {{2, 32}, " ", {2, 32}},  {{0, 9}, "\b", {0, 9}},   {{1, 9}, "\b", {0, 56}},
            {{0, 34}, "\b", {0, 31}}, {{0, 60}, "\b", {0, 56}}, {{2, 40}, "\b", {2, 31}},
        };
        Opened o;
        const QByteArray before = o.view->text();
        for (const auto& row : rows) {
            o.caretAt(row.from);
            o.press(QString::fromLatin1(row.key));
            QCOMPARE(o.view->selection(), o.caret(row.to));
        }
        QCOMPARE(o.view->text(), before);
        QVERIFY(!o.doc->isModified());
        Opened full(QByteArray(32, '\0'));  // backspace after a full last line
        full.caretAt({2, 5});
        full.press("\b");
        QCOMPARE(full.view->selection(), full.caret({1, 56}));
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
    }

    void marksStayThroughTypingAndGoWithANewListing()
    {
        Opened o;
        o.view->markBytes(1, 2, 0x0000FF);
        const HexPositions byte1 = o.view->layout().HexPositionOfOffset(1);
        const TextPos cell1 = o.view->layout().CharPositionOfHexPosition(byte1.first);
        QCOMPARE(o.view->formatAt(byte1.second + 1).color, kDefaultTextColor);  // the space after the cell
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
        Opened o;
        CVellmarView* first = o.view;
        QWidget findWindow;
        first->setFindWindow(&findWindow);
        QVERIFY(o.fx.run(CommandId::WindowNew));
        QVERIFY(findWindow.isHidden());  // the find window follows the active view
        o.view = o.fx.activeView();
        o.caretAt({1, 9});
        o.press("7e");
        o.view = first;
        QCOMPARE(o.cells(16), QByteArray("7E~"));
        QVERIFY(o.fx.run(CommandId::FileSave));
        QCOMPARE(AppFixture::readFile(o.file), QByteArray(16, '\0') + '\x7e' + QByteArray(23, '\0'));
        o.fx.frame().mdiArea()->setActiveSubWindow(o.fx.frame().mdiArea()->subWindowList().first());
        QCoreApplication::processEvents();
        QVERIFY(findWindow.isVisible());
    }
};

QTEST_MAIN(TypingTest)
#include "typing_test.moc"
