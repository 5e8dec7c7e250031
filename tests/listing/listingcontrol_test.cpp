#include "listing/listingcontrol.h"

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "listing/plaintext.h"
#include "syntheticsource.h"

namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kBlue = 0x0000FF;
const QColor kSelectionColor(0x00, 0x78, 0xD7);

// The point half a character before the boundary at pos: a click there lands on pos.
QPoint pointAtBoundary(const ListingControl& control, TextPos pos)
{
    const QRect rect = control.positionRect(pos);
    return QPoint(rect.left() - control.characterWidth() / 2 + 1, rect.center().y());
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& matches)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

}  // namespace

class ListingControlTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_control = new ListingControl;
        m_control->resize(400, 200);
        m_control->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_control));
        m_control->setFocus();
    }

    void cleanup()
    {
        delete m_control;
        m_control = nullptr;
    }

    void textRoundTripCountsLineBreakAsOnePosition()
    {
        const QByteArray text("ab\ncd\n\nxyz");
        m_control->setText(text);
        QCOMPARE(m_control->text(), text);
        QCOMPARE(m_control->textLength(), TextPos(10));
        QCOMPARE(m_control->textSource().lineCount(), qint64(4));
        QCOMPARE(m_control->text(2, 3), QByteArray("\n"));
        QCOMPARE(m_control->text(3, 5), QByteArray("cd"));
        QCOMPARE(m_control->text(8, 99), QByteArray("yz"));
        QCOMPARE(m_control->positionRect(3).left(), m_control->positionRect(0).left());
        QCOMPARE(m_control->positionRect(3).top(), m_control->lineHeight());
    }

    void replaceSelectionKeepsTextAndFormatsOutside()
    {
        m_control->setText("0123456789");
        const ColoredRange colours[] = {{{0, 3}, kRed}, {{7, 10}, kBlue}};
        m_control->colorRanges(colours);
        m_control->setSelection(0, 1);
        m_control->setSelectionUnderline(true);
        QSignalSpy textSpy(m_control, &ListingControl::textChanged);
        m_control->setSelection(4, 6);
        m_control->replaceSelection("ABCD");

        QCOMPARE(m_control->text(), QByteArray("0123ABCD6789"));
        QCOMPARE(textSpy.count(), 1);
        QCOMPARE(m_control->selection(), (TextRange{8, 8}));
        const std::vector<FormatRun> expected{
            {{0, 1}, {kRed, true}},
            {{1, 3}, {kRed, false}},
            {{3, 9}, {}},
            {{9, 12}, {kBlue, false}},
        };
        QCOMPARE(m_control->formatRuns({0, 12}), expected);
    }

    void replaceOnGeneratedTextContinuesOnCopy()
    {
        auto source = std::make_shared<SyntheticSource>(3);
        m_control->setTextSource(source);
        const QByteArray before = m_control->text();
        m_control->setSelection(7, 9);
        m_control->replaceSelection("#");

        QByteArray expected = before;
        expected.replace(7, 2, "#");
        QCOMPARE(m_control->text(), expected);
        QVERIFY(dynamic_cast<const PlainText*>(&m_control->textSource()));
        QCOMPARE(m_control->caretPosition(), TextPos(8));
    }

    void settingWholeTextResetsFormatsAndCaret()
    {
        m_control->setText("abc\ndef");
        m_control->setSelection(1, 6);
        m_control->setSelectionColor(kRed);
        m_control->setSelectionUnderline(true);
        QSignalSpy selectionSpy(m_control, &ListingControl::selectionChanged);
        m_control->setText("ghi\njkl");
        QCOMPARE(m_control->formatRuns({0, 7}), (std::vector<FormatRun>{{{0, 7}, {}}}));
        QCOMPARE(m_control->selection(), (TextRange{0, 0}));
        QCOMPARE(selectionSpy.count(), 1);
    }

    void keysMoveCaret_data()
    {
        // "abc def\n" 0..7, "ghij\n" 8..12, "kl" 13..15
        QTest::addColumn<TextPos>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<TextPos>("anchor");
        QTest::addColumn<TextPos>("caret");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Right") << TextPos(0) << int(Qt::Key_Right) << none << TextPos(1) << TextPos(1);
        QTest::newRow("Left at start stays") << TextPos(0) << int(Qt::Key_Left) << none << TextPos(0) << TextPos(0);
        QTest::newRow("Right over line break") << TextPos(7) << int(Qt::Key_Right) << none << TextPos(8) << TextPos(8);
        QTest::newRow("Shift+Right extends") << TextPos(0) << int(Qt::Key_Right) << shift << TextPos(0) << TextPos(1);
        QTest::newRow("Down keeps column") << TextPos(2) << int(Qt::Key_Down) << none << TextPos(10) << TextPos(10);
        QTest::newRow("Down to shorter line") << TextPos(6) << int(Qt::Key_Down) << none << TextPos(12) << TextPos(12);
        QTest::newRow("Up") << TextPos(14) << int(Qt::Key_Up) << none << TextPos(9) << TextPos(9);
        QTest::newRow("End") << TextPos(1) << int(Qt::Key_End) << none << TextPos(7) << TextPos(7);
        QTest::newRow("Home") << TextPos(10) << int(Qt::Key_Home) << none << TextPos(8) << TextPos(8);
        QTest::newRow("Ctrl+End") << TextPos(2) << int(Qt::Key_End) << ctrl << TextPos(15) << TextPos(15);
        QTest::newRow("Ctrl+Home") << TextPos(12) << int(Qt::Key_Home) << ctrl << TextPos(0) << TextPos(0);
        QTest::newRow("Shift+Ctrl+End") << TextPos(2) << int(Qt::Key_End) << (shift | ctrl) << TextPos(2) << TextPos(15);
        QTest::newRow("Ctrl+Right to next word") << TextPos(0) << int(Qt::Key_Right) << ctrl << TextPos(4) << TextPos(4);
        QTest::newRow("Ctrl+Right at line end") << TextPos(7) << int(Qt::Key_Right) << ctrl << TextPos(8) << TextPos(8);
        QTest::newRow("Ctrl+Left to word start") << TextPos(6) << int(Qt::Key_Left) << ctrl << TextPos(4) << TextPos(4);
        QTest::newRow("PageDown stops at last line") << TextPos(1) << int(Qt::Key_PageDown) << none << TextPos(14)
                                                     << TextPos(14);
        QTest::newRow("PageUp stops at first line") << TextPos(14) << int(Qt::Key_PageUp) << none << TextPos(1)
                                                    << TextPos(1);
    }

    void keysMoveCaret()
    {
        QFETCH(TextPos, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(TextPos, anchor);
        QFETCH(TextPos, caret);
        m_control->setText("abc def\nghij\nkl");
        m_control->setSelection(start, start);
        QTest::keyClick(m_control, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_control->anchorPosition(), anchor);
        QCOMPARE(m_control->caretPosition(), caret);
    }

    void verticalMovesKeepTheirColumn()
    {
        m_control->setText("abcdef\nab\nabcdef");
        m_control->setSelection(5, 5);
        QTest::keyClick(m_control, Qt::Key_Down);
        QCOMPARE(m_control->caretPosition(), TextPos(9));
        QTest::keyClick(m_control, Qt::Key_Down);
        QCOMPARE(m_control->caretPosition(), TextPos(15));
        QTest::keyClick(m_control, Qt::Key_Left);
        QTest::keyClick(m_control, Qt::Key_Up);
        QCOMPARE(m_control->caretPosition(), TextPos(9));
    }

    void unhandledKeysAreIgnored()
    {
        m_control->setText("abc");
        for (const int key : {int(Qt::Key_A), int(Qt::Key_F5), int(Qt::Key_Space), int(Qt::Key_Backspace)}) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key == Qt::Key_A ? 'a' : ' ')));
            QApplication::sendEvent(m_control, &event);
            QVERIFY2(!event.isAccepted(), qPrintable(QString::number(key, 16)));
        }
        QCOMPARE(m_control->text(), QByteArray("abc"));
        QKeyEvent handled(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(m_control, &handled);
        QVERIFY(handled.isAccepted());
    }

    void typingEditsOnlyWhenWritable()
    {
        m_control->setText("abc");
        m_control->setSelection(1, 1);
        QVERIFY(m_control->isReadOnly());
        QTest::keyClicks(m_control, "xy");
        QCOMPARE(m_control->text(), QByteArray("abc"));
        m_control->setReadOnly(false);
        QTest::keyClicks(m_control, "xy");
        QCOMPARE(m_control->text(), QByteArray("axybc"));
        QTest::keyClick(m_control, Qt::Key_Backspace);
        QTest::keyClick(m_control, Qt::Key_Return);
        QCOMPARE(m_control->text(), QByteArray("ax\nbc"));
        QCOMPARE(m_control->caretPosition(), TextPos(3));
    }

    void clickPlacesCaretAtNearestBoundary()
    {
        m_control->setText("abcdef\nghijkl");
        QTest::mouseClick(m_control->viewport(), Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 10));
        QCOMPARE(m_control->selection(), (TextRange{10, 10}));
        // Just past the middle of a character rounds to the boundary after it.
        const QRect cell = m_control->positionRect(2);
        QTest::mouseClick(m_control->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(cell.left() + cell.width() * 3 / 4, cell.center().y()));
        QCOMPARE(m_control->caretPosition(), TextPos(3));
        // Beyond the end of a line lands on the line's end.
        QTest::mouseClick(m_control->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(m_control->viewport()->width() - 5, cell.center().y()));
        QCOMPARE(m_control->caretPosition(), TextPos(6));
    }

    void dragAndShiftClickExtendSelection()
    {
        m_control->setText("abcdef\nghijkl");
        QWidget* viewport = m_control->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 2));
        QMouseEvent move(QEvent::MouseMove, pointAtBoundary(*m_control, 10), viewport->mapToGlobal(pointAtBoundary(*m_control, 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 10));
        QCOMPARE(m_control->anchorPosition(), TextPos(2));
        QCOMPARE(m_control->caretPosition(), TextPos(10));

        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointAtBoundary(*m_control, 12));
        QCOMPARE(m_control->selection(), (TextRange{2, 12}));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 4));
        QCOMPARE(m_control->selection(), (TextRange{4, 4}));
    }

    void doubleClickSelectsWord()
    {
        m_control->setText("0000010  41 42\nnext");
        QTest::mouseDClick(m_control->viewport(), Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 3));
        QCOMPARE(m_control->selection(), (TextRange{0, 7}));
    }

    void dragBelowViewAutoScrolls()
    {
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += "line " + QByteArray::number(i) + '\n';
        m_control->setText(text);
        QWidget* viewport = m_control->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pointAtBoundary(*m_control, 2));
        const QPoint below(20, viewport->height() + 30);
        QMouseEvent move(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        const int afterMove = m_control->verticalScrollBar()->value();
        QSignalSpy scrolled(m_control->verticalScrollBar(), &QScrollBar::valueChanged);
        QVERIFY(scrolled.wait(2000));
        QVERIFY(m_control->verticalScrollBar()->value() > afterMove);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, below);
        QCOMPARE(m_control->anchorPosition(), TextPos(2));
        QVERIFY(m_control->caretPosition() > 2);
    }

    void scrollCaretIntoViewReachesFarLine()
    {
        QByteArray text;
        for (int i = 0; i < 10000; ++i)
            text += QByteArray::number(i) + '\n';
        m_control->setText(text);
        const TextPos far = m_control->textSource().lineStart(9000);
        m_control->setSelectionHidden(true);
        m_control->setSelection(far, far);
        QCOMPARE(m_control->verticalScrollBar()->value(), 0);
        m_control->setSelectionHidden(false);
        m_control->scrollCaretIntoView();
        const int first = m_control->verticalScrollBar()->value();
        QVERIFY(first > 8900 && first <= 9000);
        QVERIFY(m_control->viewport()->rect().contains(m_control->positionRect(far)));
    }

    void hiddenSelectionIsNotDrawnNorScrolled()
    {
        m_control->setText("MMMMMMMM");
        m_control->setSelection(0, 6);
        const QRect area = m_control->positionRect(0).united(m_control->positionRect(5));
        auto isSelection = [](QColor c) { return c == kSelectionColor; };
        QVERIFY(countPixels(m_control->viewport()->grab().toImage(), area, isSelection) > 0);
        m_control->setSelectionHidden(true);
        QCOMPARE(countPixels(m_control->viewport()->grab().toImage(), area, isSelection), 0);
    }

    void hugeGeneratedTextPaintsOnlyVisibleLines()
    {
        constexpr qint64 kLines = 100'000'000;
        auto source = std::make_shared<SyntheticSource>(kLines);
        m_control->setTextSource(source);
        m_control->viewport()->repaint();
        const qint64 visible = m_control->viewport()->height() / m_control->lineHeight() + 2;
        QCOMPARE(m_control->verticalScrollBar()->maximum(),
                 int(kLines - m_control->viewport()->height() / m_control->lineHeight()));
        QVERIFY(source->m_appendCalls > 0);
        QVERIFY(source->m_appendCalls <= visible);
        for (qint64 line : source->m_requestedLines)
            QVERIFY(line < visible);

        source->m_requestedLines.clear();
        const TextPos far = source->lineStart(kLines - 5) + 10;
        m_control->setSelection(far, far);
        m_control->viewport()->repaint();
        QVERIFY(!source->m_requestedLines.empty());
        const qint64 first = m_control->verticalScrollBar()->value();
        QVERIFY(first > kLines - visible - 5);
        for (qint64 line : source->m_requestedLines)
            QVERIFY2(line >= first && line < first + visible, qPrintable(QString::number(line)));
        QCOMPARE(m_control->text(far - 10, far - 3), QByteArray("5F5E0FB"));
        QCOMPARE(m_control->textLength(), kLines * 77 - 1);
    }

    void pageIsWhiteWhateverThePalette()
    {
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Window, Qt::darkGray);
        dark.setColor(QPalette::Text, Qt::white);
        QApplication::setPalette(dark);
        ListingControl control;
        control.resize(200, 100);
        control.setText("M");
        const QImage image = control.viewport()->grab().toImage();
        QApplication::setPalette(QPalette());
        QCOMPARE(image.pixelColor(150, 80), QColor(Qt::white));
        const QRect cell = control.positionRect(0);
        QVERIFY(countPixels(image, cell, [](QColor c) { return c.lightness() < 80; }) > 0);

        control.setBackgroundColor(Qt::yellow);
        QCOMPARE(control.backgroundColor(), QColor(Qt::yellow));
        QCOMPARE(control.viewport()->grab().toImage().pixelColor(150, 80), QColor(Qt::yellow));
    }

    void colorRangesAndUnderlineArePainted()
    {
        m_control->setText("MMMM MMMM");
        const ColoredRange red[] = {{{0, 4}, kRed}};
        m_control->colorRanges(red);
        const QImage image = m_control->viewport()->grab().toImage();
        const QRect redCells = m_control->positionRect(0).united(m_control->positionRect(3));
        const QRect blackCells = m_control->positionRect(5).united(m_control->positionRect(8));
        auto isRed = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
        QVERIFY(countPixels(image, redCells, isRed) > 0);
        QCOMPARE(countPixels(image, blackCells, isRed), 0);

        // Underline puts dark pixels under the glyphs of "    " (blanks draw nothing else).
        m_control->setText("    ");
        const QRect blanks = m_control->positionRect(0).united(m_control->positionRect(3));
        auto isInk = [](QColor c) { return c.lightness() < 128; };
        QCOMPARE(countPixels(m_control->viewport()->grab().toImage(), blanks.adjusted(2, 0, 0, 0), isInk), 0);
        m_control->setSelection(0, 4);
        m_control->setSelectionUnderline(true);
        m_control->setSelectionHidden(true);
        QVERIFY(countPixels(m_control->viewport()->grab().toImage(), blanks.adjusted(2, 0, 0, 0), isInk) > 0);
    }

    void defaultFontIsFixedPitch()
    {
        m_control->setText("0123456789");
        QVERIFY(QFontInfo(m_control->font()).fixedPitch());
        QCOMPARE(QFontInfo(m_control->font()).pointSize(), 10);
        QVERIFY(m_control->characterWidth() > 0);
        QCOMPARE(m_control->positionRect(7).left() - m_control->positionRect(2).left(), 5 * m_control->characterWidth());
    }

    void paintLinesDrawsText()
    {
        m_control->setText("first\nMMMM\nlast");
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        m_control->paintLines(painter, QPoint(0, 0), 1, 1);
        painter.end();
        const int ink = countPixels(image, QRect(0, 0, 200, m_control->lineHeight()), [](QColor c) {
            return c.lightness() < 128;
        });
        QVERIFY(ink > 0);
        QCOMPARE(countPixels(image, QRect(0, 2 * m_control->lineHeight(), 200, 100 - 2 * m_control->lineHeight()),
                             [](QColor c) { return c != Qt::white; }),
                 0);
    }

private:
    ListingControl* m_control = nullptr;
};

QTEST_MAIN(ListingControlTest)
#include "listingcontrol_test.moc"
