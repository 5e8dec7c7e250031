#include "listing/listingaccessible.h"
#include "listing/listingcontrol.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <tuple>
#include <utility>

#include "listing/plaintext.h"
#include "listing/textsource.h"

namespace {

/// A generated text of many equal lines of 76 characters ("%07X" line number, then filler), made on demand
/// like the hex listing of a large file. It refuses every replacement and records the lines it was asked for.
class SyntheticSource final : public TextSource {
public:
    explicit SyntheticSource(qint64 lines) : m_lines(lines) {}
    TextPos length() const override { return m_lines * 77 - 1; }
    qint64 lineCount() const override { return m_lines; }
    TextPos lineStart(qint64 line) const override { return line * 77; }
    qint64 lineOfPosition(TextPos pos) const override { return std::min(pos / 77, m_lines - 1); }
    void appendText(TextPos from, TextPos to, QByteArray& out) const override
    {
        ++m_appendCalls;
        for (TextPos pos = from; pos < to; ++pos) {
            const qint64 line = pos / 77;
            const qint64 column = pos % 77;
            if (m_requestedLines.empty() || m_requestedLines.back() != line)
                m_requestedLines.push_back(line);
            const char digit = "0123456789ABCDEF"[(line >> (4 * (6 - std::min<qint64>(column, 6)))) & 0xF];
            out.append(column == 76 ? '\n' : column < 7 ? digit : column % 3 == 0 ? ' ' : 'x');
        }
    }
    bool replace(TextPos, TextPos, QByteArrayView) override { return false; }

    const qint64 m_lines;
    mutable int m_appendCalls = 0;
    mutable std::vector<qint64> m_requestedLines;
};

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kBlue = 0x0000FF;

// The point half a character before the boundary at pos: a click there lands on pos.
QPoint pointAtBoundary(const ListingControl& control, TextPos pos)
{
    const QRect rect = control.positionRect(pos);
    return QPoint(rect.left() - control.characterWidth() / 2 + 1, rect.center().y());
}

bool isInk(QColor c) { return c.lightness() < 128; }

const char kListing[] = "0000000  41 42\nsecond line";

}  // namespace

// Stands for the hex views, which are ListingControls under their own class names.
class DerivedListing : public ListingControl {
    Q_OBJECT
};

class ListingControlTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installListingAccessibility(); }

    void init()
    {
        m_control = (m_owner = std::make_unique<ListingControl>()).get();  // the previous test's control goes
        m_control->resize(400, 200);
        m_control->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_control));
        m_control->setFocus();
    }

    // Replacing keeps the formats outside and goes on with a copy of a generated text; setting the whole text
    // resets formats and caret.
    void replaceKeepsFormatsOutsideGoesOnOnACopyAndSetTextResets()
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
        QCOMPARE(m_control->formatRuns({0, 12}),
                 (std::vector<FormatRun>{
                     {{0, 1}, {kRed, true}}, {{1, 3}, {kRed, false}}, {{3, 9}, {}}, {{9, 12}, {kBlue, false}}}));

        m_control->setSelection(1, 6);
        m_control->setSelectionColor(kRed);
        QSignalSpy selectionSpy(m_control, &ListingControl::selectionChanged);
        m_control->setText("ghi\njkl");
        QCOMPARE(m_control->formatRuns({0, 7}), (std::vector<FormatRun>{{{0, 7}, {}}}));
        QCOMPARE(m_control->selection(), (TextRange{0, 0}));
        QCOMPARE(selectionSpy.count(), 1);
        // Replacing in a generated text goes on with a copy.
        m_control->setTextSource(std::make_shared<SyntheticSource>(3));
        QByteArray expected = m_control->text();
        m_control->setSelection(7, 9);
        m_control->replaceSelection("#");
        QCOMPARE(m_control->text(), expected.replace(7, 2, "#"));
        QVERIFY(dynamic_cast<const PlainText*>(&m_control->textSource()));
        QCOMPARE(m_control->caretPosition(), TextPos(8));
    }

    void keysMoveCaret()
    {
        struct Row {
            TextPos start;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            TextPos anchor, caret;
        };
        const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        // "abc def\n" 0..7, "ghij\n" 8..12, "kl" 13..15
        const Row kRows[] = {
            {0, Qt::Key_Right, none, 1, 1},         {0, Qt::Key_Left, none, 0, 0},
            {7, Qt::Key_Right, none, 8, 8},         {0, Qt::Key_Right, shift, 0, 1},
            {2, Qt::Key_Down, none, 10, 10},        {6, Qt::Key_Down, none, 12, 12},
            {14, Qt::Key_Up, none, 9, 9},           {1, Qt::Key_End, none, 7, 7},
            {10, Qt::Key_Home, none, 8, 8},         {2, Qt::Key_End, ctrl, 15, 15},
            {12, Qt::Key_Home, ctrl, 0, 0},         {2, Qt::Key_End, shift | ctrl, 2, 15},
            {0, Qt::Key_Right, ctrl, 4, 4},         {7, Qt::Key_Right, ctrl, 8, 8},
            {6, Qt::Key_Left, ctrl, 4, 4},          {1, Qt::Key_PageDown, none, 14, 14},
            {14, Qt::Key_PageUp, none, 1, 1},       {8, Qt::Key_Left, ctrl, 7, 7},
            {4, Qt::Key_Left, ctrl, 0, 0},          {3, Qt::Key_Right, ctrl, 4, 4},
        };
        m_control->setText("abc def\nghij\nkl");
        for (const Row& row : kRows) {
            m_control->setSelection(row.start, row.start);
            QTest::keyClick(m_control, row.key, row.modifiers);
            QCOMPARE(m_control->anchorPosition(), row.anchor);
            QCOMPARE(m_control->caretPosition(), row.caret);
        }
        // Vertical moves keep their column across a shorter line.
        m_control->setText("abcdef\nab\nabcdef");
        m_control->setSelection(5, 5);
        QTest::keySequence(m_control, QKeySequence(Qt::Key_Down, Qt::Key_Down));
        QCOMPARE(m_control->caretPosition(), TextPos(15));
        QTest::keySequence(m_control, QKeySequence(Qt::Key_Left, Qt::Key_Up));
        QCOMPARE(m_control->caretPosition(), TextPos(9));
    }

    void typingEditsOnlyWhenWritableAndOtherKeysAreIgnored()
    {
        m_control->setText("abc");
        m_control->setSelection(1, 1);
        for (const int key : {int(Qt::Key_A), int(Qt::Key_F5), int(Qt::Key_Space), int(Qt::Key_Backspace)}) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key == Qt::Key_A ? 'a' : ' ')));
            QApplication::sendEvent(m_control, &event);
            QVERIFY(!event.isAccepted());
        }
        QCOMPARE(m_control->text(), QByteArray("abc"));
        m_control->setReadOnly(false);
        QTest::keyClicks(m_control, "xy");
        QCOMPARE(m_control->text(), QByteArray("axybc"));
        QTest::keyClick(m_control, Qt::Key_Backspace);
        QTest::keyClick(m_control, Qt::Key_Return);
        QCOMPARE(m_control->text(), QByteArray("ax\nbc"));
        QCOMPARE(m_control->caretPosition(), TextPos(3));
    }

    void mouseClicksDragsAndDoubleClicksSelectAndDragsScroll()
    {
        m_control->setText("abcdef\nghijkl");
        QWidget* viewport = m_control->viewport();
        // Just past the middle of a character rounds to the boundary after it; beyond a line's end lands on it.
        const QRect cell = m_control->positionRect(2);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(cell.left() + cell.width() * 3 / 4, cell.center().y()));
        QCOMPARE(m_control->selection(), (TextRange{3, 3}));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, cell.center().y()));
        QCOMPARE(m_control->caretPosition(), TextPos(6));

        QTest::mousePress(viewport, Qt::LeftButton, {}, pointAtBoundary(*m_control, 2));
        const QPoint to = pointAtBoundary(*m_control, 10);
        QTest::mouseMove(viewport, to);  // with the button still held
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        QCOMPARE(m_control->anchorPosition(), TextPos(2));
        QCOMPARE(m_control->caretPosition(), TextPos(10));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointAtBoundary(*m_control, 12));
        QCOMPARE(m_control->selection(), (TextRange{2, 12}));

        m_control->setText("0000010  41 42\nnext");
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointAtBoundary(*m_control, 3));
        QCOMPARE(m_control->selection(), (TextRange{0, 7}));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, cell.center().y()));
        QCOMPARE(m_control->selection(), (TextRange{14, 14}));
        // A drag below the view scrolls on by itself.
        m_control->setTextSource(std::make_shared<SyntheticSource>(200));
        QTest::mousePress(viewport, Qt::LeftButton, {}, pointAtBoundary(*m_control, 2));
        const QPoint below(20, viewport->height() + 30);
        QTest::mouseMove(viewport, below);
        const int afterMove = m_control->verticalScrollBar()->value();
        QSignalSpy scrolled(m_control->verticalScrollBar(), &QScrollBar::valueChanged);
        QVERIFY(scrolled.wait(2000));
        QVERIFY(m_control->verticalScrollBar()->value() > afterMove);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
        QCOMPARE(m_control->anchorPosition(), TextPos(2));
        QVERIFY(m_control->caretPosition() > 2);
    }

    void hugeGeneratedTextPaintsOnlyVisibleLines()
    {
        constexpr qint64 kLines = 100'000'000;
        auto source = std::make_shared<SyntheticSource>(kLines);
        m_control->setTextSource(source);
        m_control->viewport()->repaint();
        const qint64 visible = m_control->viewport()->height() / m_control->lineHeight() + 2;
        QCOMPARE(m_control->verticalScrollBar()->maximum(), int(kLines - visible + 2));
        QVERIFY(source->m_appendCalls > 0 && source->m_appendCalls <= visible);
        QVERIFY(std::ranges::max(source->m_requestedLines) < visible);

        source->m_requestedLines.clear();
        const TextPos far = source->lineStart(kLines - 5) + 10;
        m_control->setSelection(far, far);
        m_control->viewport()->repaint();
        const qint64 first = m_control->verticalScrollBar()->value();
        QVERIFY(first > kLines - visible - 5);
        QVERIFY(!source->m_requestedLines.empty() && std::ranges::min(source->m_requestedLines) >= first);
        QVERIFY(std::ranges::max(source->m_requestedLines) < first + visible);
        QCOMPARE(m_control->text(far - 10, far - 3), QByteArray("5F5E0FB"));
        QCOMPARE(m_control->textLength(), kLines * 77 - 1);
    }

    // Colours, selection and underline reach the pixels, on a white page whatever the palette.
    void colorsUnderlineAndSelectionArePaintedOnAWhitePage()
    {
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Base, Qt::black);
        QApplication::setPalette(dark);
        m_control->setText("MMMM    ");
        const ColoredRange red[] = {{{0, 4}, kRed}};
        m_control->colorRanges(red);
        const QRect letters = m_control->positionRect(0).united(m_control->positionRect(3));
        const QRect blanks = m_control->positionRect(4).united(m_control->positionRect(7)).adjusted(2, 0, 0, 0);
        const auto count = [&](const QRect& area, auto matches) {
            const QImage image = m_control->viewport()->grab().toImage();
            int n = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    n += matches(image.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        QVERIFY(count(letters, [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; }) > 0);
        QCOMPARE(count(QRect(300, 150, 10, 10), [](QColor c) { return c != Qt::white; }), 0);
        m_control->setSelection(4, 8);
        auto isSelection = [](QColor c) { return c == QColor(0x00, 0x78, 0xD7); };
        QVERIFY(count(blanks, isSelection) > 0);
        m_control->setSelectionHidden(true);
        QCOMPARE(count(blanks, isSelection) + count(blanks, isInk), 0);
        m_control->setSelectionUnderline(true);
        QVERIFY(count(blanks, isInk) > 0);
        m_control->setBackgroundColor(Qt::yellow);
        QCOMPARE(count(QRect(300, 150, 1, 1), [](QColor c) { return c == Qt::yellow; }), 1);
        QApplication::setPalette(QPalette());
    }

    // What a screen reader reads and sets goes both ways: text, boundaries, caret and selection; attributes
    // in the very form Qt's text widgets report them. Hex views, subclasses of the control, get it too.
    void accessibleTextGoesBothWays()
    {
        m_control->setText(kListing);
        const std::tuple<QAccessible::TextBoundaryType, int, QString, QString, QString> rows[] = {  // at, after, before
            {QAccessible::CharBoundary, 9, "4", "1", " "},
            {QAccessible::WordBoundary, 10, "41", " ", "  "},
            {QAccessible::LineBoundary, 3, "0000000  41 42\n", "second line", ""},
            {QAccessible::LineBoundary, 20, "second line", "", "0000000  41 42\n"},
        };
        int start = -1, end = -1;
        for (const auto& [type, offset, at, after, before] : rows) {
            QCOMPARE(text()->textAtOffset(offset, type, &start, &end), at);
            QCOMPARE(text()->textAfterOffset(offset, type, &start, &end), after);
            QCOMPARE(text()->textBeforeOffset(offset, type, &start, &end), before);
        }
        const QRect rect = text()->characterRect(17);
        QCOMPARE(text()->offsetAtPoint(rect.topLeft() + QPoint(1, 1)), 17);
        QCOMPARE(text()->offsetAtPoint(m_control->viewport()->mapToGlobal(QPoint(-50, -50))), -1);
        const ColoredRange red[] = {{{9, 11}, 0xFF0000}};
        m_control->colorRanges(red);
        m_control->setSelection(10, 14);
        m_control->setSelectionUnderline(true);
        // The same colours and underline in a QTextEdit: red, red underlined, black.
        QTextEdit edit;
        edit.setFont(m_control->font());
        QTextCursor cursor(edit.document());
        QTextCharFormat format;
        for (const auto& [color, underline] : {std::pair{Qt::red, false}, {Qt::red, true}, {Qt::black, false}}) {
            format.setForeground(QColor(color));
            format.setFontUnderline(underline);
            cursor.insertText("x", format);
        }
        QAccessibleTextInterface* editText = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        // offset, the run around it, and the offset of its format in the QTextEdit
        const int attributeRows[][4] = {{9, 9, 10, 0}, {10, 10, 11, 1}, {20, 14, 26, 2}, {26, -1, -1, -1}};
        for (const auto& [offset, runStart, runEnd, editOffset] : attributeRows) {
            const QString expected = editOffset < 0 ? QString() : editText->attributes(editOffset, &start, &end);
            start = end = -1;
            QCOMPARE(text()->attributes(offset, &start, &end), expected);
            QCOMPARE(QPoint(start, end), QPoint(runStart, runEnd));
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(m_control);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QVERIFY(iface->state().readOnly && !iface->state().editable && iface->state().multiLine);
        m_control->setReadOnly(false);
        QVERIFY(!iface->state().readOnly && iface->state().editable);
        QCOMPARE(text()->characterCount(), 26);
        QCOMPARE(iface->text(QAccessible::Value), kListing);
        DerivedListing derived;
        derived.setText("abc");
        QCOMPARE(QAccessible::queryAccessibleInterface(&derived)->textInterface()->text(0, 3), "abc");
        m_control->setSelection(9, 11);
        QCOMPARE(text()->cursorPosition(), 11);
        QCOMPARE(text()->selectionCount(), 1);
        text()->selection(0, &start, &end);
        QCOMPARE(QPoint(start, end), QPoint(9, 11));
        text()->setCursorPosition(16);
        QCOMPARE(m_control->selection(), (TextRange{16, 16}));
        QCOMPARE(text()->selectionCount(), 0);
        text()->setSelection(0, 2, 5);
        QCOMPARE(m_control->selection(), (TextRange{2, 5}));
        text()->removeSelection(0);
        QCOMPARE(m_control->selection(), (TextRange{5, 5}));
    }

private:
    QAccessibleTextInterface* text() const { return QAccessible::queryAccessibleInterface(m_control)->textInterface(); }
    std::unique_ptr<ListingControl> m_owner;
    ListingControl* m_control = nullptr;
};

QTEST_MAIN(ListingControlTest)
#include "listingcontrol_test.moc"
