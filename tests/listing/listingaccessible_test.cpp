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
        m_control = new ListingControl;
        m_control->resize(400, 200);
        m_control->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_control));
        m_control->setText("0000000  41 42\nsecond line");
        m_iface = QAccessible::queryAccessibleInterface(m_control);
        QVERIFY(m_iface);
    }

    void cleanup()
    {
        delete m_control;
        m_control = nullptr;
        m_iface = nullptr;
    }

    void controlIsReadOnlyEditableText()
    {
        QCOMPARE(m_iface->role(), QAccessible::EditableText);
        QVERIFY(m_iface->state().readOnly);
        QVERIFY(!m_iface->state().editable);
        QVERIFY(m_iface->state().multiLine);
        m_control->setReadOnly(false);
        QVERIFY(!m_iface->state().readOnly);
        QVERIFY(m_iface->state().editable);
    }

    void textAndCountFollowControl()
    {
        QVERIFY(textInterface());
        QCOMPARE(textInterface()->characterCount(), 26);
        QCOMPARE(textInterface()->text(0, 26), QStringLiteral("0000000  41 42\nsecond line"));
        QCOMPARE(textInterface()->text(9, 11), QStringLiteral("41"));
        QCOMPARE(m_iface->text(QAccessible::Value), QStringLiteral("0000000  41 42\nsecond line"));
    }

    void caretAndSelectionGoBothWays()
    {
        m_control->setSelection(9, 11);
        QCOMPARE(textInterface()->cursorPosition(), 11);
        QCOMPARE(textInterface()->selectionCount(), 1);
        int start = -1;
        int end = -1;
        textInterface()->selection(0, &start, &end);
        QCOMPARE(start, 9);
        QCOMPARE(end, 11);

        textInterface()->setCursorPosition(16);
        QCOMPARE(m_control->selection(), (TextRange{16, 16}));
        QCOMPARE(textInterface()->selectionCount(), 0);
        textInterface()->setSelection(0, 2, 5);
        QCOMPARE(m_control->selection(), (TextRange{2, 5}));
        textInterface()->removeSelection(0);
        QCOMPARE(m_control->selection(), (TextRange{5, 5}));
    }

    void attributesAreThoseQtsTextWidgetsReport()
    {
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
            cursor.insertText(QStringLiteral("x"), format);
        }
        QAccessibleTextInterface* editText = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        const struct {
            int offset, start, end, editOffset;
        } rows[] = {{9, 9, 10, 0}, {10, 10, 11, 1}, {20, 14, 26, 2}};
        for (const auto& row : rows) {
            int start = -1;
            int end = -1;
            int editStart = -1;
            QCOMPARE(textInterface()->attributes(row.offset, &start, &end),
                     editText->attributes(row.editOffset, &editStart, &editStart));
            QCOMPARE(start, row.start);
            QCOMPARE(end, row.end);
        }
        int start = -1;
        int end = -1;
        QCOMPARE(textInterface()->attributes(26, &start, &end), QString());
        QCOMPARE(start, -1);
    }

    void boundariesFollowWordsAndLines()
    {
        struct Row {
            QAccessible::TextBoundaryType type;
            int offset;
            QString at;
            QString after;
            QString before;
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
            const QByteArray name = QByteArray::number(int(row.type)) + " at " + QByteArray::number(row.offset);
            QVERIFY2(textInterface()->textAtOffset(row.offset, row.type, &start, &end) == row.at, name);
            QVERIFY2(textInterface()->textAfterOffset(row.offset, row.type, &start, &end) == row.after, name);
            QVERIFY2(textInterface()->textBeforeOffset(row.offset, row.type, &start, &end) == row.before, name);
        }
    }

    void geometryRoundTrips()
    {
        const QRect rect = textInterface()->characterRect(17);
        QVERIFY(rect.isValid());
        QCOMPARE(textInterface()->offsetAtPoint(rect.topLeft() + QPoint(1, 1)), 17);
        QCOMPARE(textInterface()->offsetAtPoint(m_control->viewport()->mapToGlobal(QPoint(-50, -50))), -1);
    }

    void subclassesGetTheInterfaceToo()
    {
        DerivedListing derived;
        derived.setText("abc");
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&derived);
        QVERIFY(iface);
        QVERIFY(iface->textInterface());
        QCOMPARE(iface->textInterface()->text(0, 3), QStringLiteral("abc"));
    }

private:
    QAccessibleTextInterface* textInterface() const { return m_iface->textInterface(); }
    ListingControl* m_control = nullptr;
    QAccessibleInterface* m_iface = nullptr;
};

QTEST_MAIN(ListingAccessibleTest)
#include "listingaccessible_test.moc"
