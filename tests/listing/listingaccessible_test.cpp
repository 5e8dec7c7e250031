#include "listing/listingaccessible.h"

#include <QAccessible>
#include <QTest>
#include <QTextEdit>

#include <utility>

#include "listing/listingcontrol.h"

// Stands for the hex views, which are ListingControls under their own class names.
class DerivedListing : public ListingControl {
    Q_OBJECT
};

class ListingAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installListingAccessibility(); }

    void init()
    {
        m_control.resize(400, 200);
        m_control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_control));
        m_control.setReadOnly(true);
        m_control.setText("0000000  41 42\nsecond line");
        m_iface = QAccessible::queryAccessibleInterface(&m_control);
        QVERIFY(m_iface && m_iface->textInterface());
    }

    void roleStateAndTextFollowTheControl()
    {
        QCOMPARE(m_iface->role(), QAccessible::EditableText);
        QVERIFY(m_iface->state().readOnly && !m_iface->state().editable && m_iface->state().multiLine);
        m_control.setReadOnly(false);
        QVERIFY(!m_iface->state().readOnly && m_iface->state().editable);
        QCOMPARE(text()->characterCount(), 26);
        QCOMPARE(text()->text(9, 11), QStringLiteral("41"));
        QCOMPARE(m_iface->text(QAccessible::Value), QStringLiteral("0000000  41 42\nsecond line"));
        // Hex views, subclasses of the control, get the interface too.
        DerivedListing derived;
        derived.setText("abc");
        QCOMPARE(QAccessible::queryAccessibleInterface(&derived)->textInterface()->text(0, 3), QStringLiteral("abc"));
    }

    void caretAndSelectionGoBothWays()
    {
        m_control.setSelection(9, 11);
        QCOMPARE(text()->cursorPosition(), 11);
        QCOMPARE(text()->selectionCount(), 1);
        int start = -1;
        int end = -1;
        text()->selection(0, &start, &end);
        QCOMPARE(QPoint(start, end), QPoint(9, 11));
        text()->setCursorPosition(16);
        QCOMPARE(m_control.selection(), (TextRange{16, 16}));
        QCOMPARE(text()->selectionCount(), 0);
        text()->setSelection(0, 2, 5);
        QCOMPARE(m_control.selection(), (TextRange{2, 5}));
        text()->removeSelection(0);
        QCOMPARE(m_control.selection(), (TextRange{5, 5}));
    }

    void attributesAreThoseQtsTextWidgetsReport()
    {
        const ColoredRange red[] = {{{9, 11}, 0xFF0000}};
        m_control.colorRanges(red);
        m_control.setSelection(10, 14);
        m_control.setSelectionUnderline(true);
        // The same colours and underline in a QTextEdit: red, red underlined, black.
        QTextEdit edit;
        edit.setFont(m_control.font());
        QTextCursor cursor(edit.document());
        QTextCharFormat format;
        for (const auto& [color, underline] : {std::pair{Qt::red, false}, {Qt::red, true}, {Qt::black, false}}) {
            format.setForeground(QColor(color));
            format.setFontUnderline(underline);
            cursor.insertText(QStringLiteral("x"), format);
        }
        QAccessibleTextInterface* editText = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        const struct {
            int offset, start, end, editOffset;
        } rows[] = {{9, 9, 10, 0}, {10, 10, 11, 1}, {20, 14, 26, 2}, {26, -1, -1, -1}};
        for (const auto& row : rows) {
            int start = -1;
            int end = -1;
            int editStart = -1;
            const QString expected = row.editOffset < 0 ? QString() : editText->attributes(row.editOffset, &editStart, &editStart);
            QCOMPARE(text()->attributes(row.offset, &start, &end), expected);
            QCOMPARE(QPoint(start, end), QPoint(row.start, row.end));
        }
    }

    void boundariesFollowWordsAndLines()
    {
        struct Row {
            QAccessible::TextBoundaryType type;
            int offset;
            QString at, after, before;
        };
        const Row rows[] = {
            {QAccessible::CharBoundary, 9, "4", "1", " "},
            {QAccessible::WordBoundary, 10, "41", " ", "  "},
            {QAccessible::LineBoundary, 3, "0000000  41 42\n", "second line", ""},
            {QAccessible::LineBoundary, 20, "second line", "", "0000000  41 42\n"},
        };
        for (const Row& row : rows) {
            int start = -1;
            int end = -1;
            QCOMPARE(text()->textAtOffset(row.offset, row.type, &start, &end), row.at);
            QCOMPARE(text()->textAfterOffset(row.offset, row.type, &start, &end), row.after);
            QCOMPARE(text()->textBeforeOffset(row.offset, row.type, &start, &end), row.before);
        }
        const QRect rect = text()->characterRect(17);
        QCOMPARE(text()->offsetAtPoint(rect.topLeft() + QPoint(1, 1)), 17);
        QCOMPARE(text()->offsetAtPoint(m_control.viewport()->mapToGlobal(QPoint(-50, -50))), -1);
    }

private:
    QAccessibleTextInterface* text() const { return m_iface->textInterface(); }
    ListingControl m_control;
    QAccessibleInterface* m_iface = nullptr;
};

QTEST_MAIN(ListingAccessibleTest)
#include "listingaccessible_test.moc"
