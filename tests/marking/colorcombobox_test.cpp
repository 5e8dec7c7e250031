#include <QAccessible>
#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTest>

#include "marking/ccolorcombobox.h"
#include "marking/colorpalette.h"
#include "marking/colorswatchdelegate.h"
#include "support/dialogdriver.h"

class ColorComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheOfferedNamesSortedWithTheirTags()
    {
        CColorComboBox combo;
        QVERIFY(!combo.isEditable());
        QStringList offered;
        for (const OfferedColor& color : offeredColors())
            offered << QLatin1String(color.name);
        offered.sort();
        QCOMPARE(DialogDriver::itemTexts(combo), offered);
        QCOMPARE(combo.currentIndex(), -1);
        for (int i = 0; i < combo.count(); ++i)
            QCOMPARE(colorOfTag(combo.itemData(i).toInt()), ColorFromName(combo.itemText(i)));
    }

    void preselectsOnlyAnExactName()
    {
        struct Row {
            const char* name;
            int index;
        };
        const Row kRows[] = {{"Red", 6}, {"red", -1}, {"", -1}, {"Red ", -1}};
        for (const Row& row : kRows) {
            CColorComboBox combo;
            combo.selectColorName(QLatin1String(row.name));
            QCOMPARE(combo.currentIndex(), row.index);
            const QString expected = row.index < 0 ? QStringLiteral("kept") : QLatin1String(row.name);
            QCOMPARE(combo.colorName(QStringLiteral("kept")), expected);
        }
    }

    void theChoiceFollowsTheKeys()
    {
        CColorComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        combo.selectColorName(QStringLiteral("Blue"));
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.colorName({}), QStringLiteral("Brown"));
        QTest::keyClick(&combo, Qt::Key_End);
        QCOMPARE(combo.colorName({}), QStringLiteral("Yellow"));
    }

    void itemsKeepTheirNamesForScreenReaders()
    {
        CColorComboBox combo;
        combo.selectColorName(QStringLiteral("Red"));
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&combo);
        QVERIFY(box);
        QCOMPARE(box->text(QAccessible::Value), QStringLiteral("Red"));
        QAccessibleInterface* list = box->child(0);
        QVERIFY(list);
        QCOMPARE(list->childCount(), 8);
        QCOMPARE(list->child(6)->text(QAccessible::Name), QStringLiteral("Red"));
    }

    void theFieldShowsTheChosenSwatchOrNothing()
    {
        CColorComboBox combo;
        combo.resize(120, 30);
        const QPoint middle(combo.width() / 3, combo.height() / 2);
        const QColor background = combo.grab().toImage().pixelColor(middle);
        combo.selectColorName(QStringLiteral("Red"));
        QCOMPARE(combo.grab().toImage().pixelColor(middle), QColor(Qt::red));
        combo.selectColorName(QStringLiteral("none"));
        QCOMPARE(combo.grab().toImage().pixelColor(middle), background);
    }

    void aSelectedItemIsFramedInTheInverseColour()
    {
        CColorComboBox combo;
        QImage image(40, 12, QImage::Format_RGB32);
        image.fill(Qt::white);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        option.state = QStyle::State_Selected;
        {
            QPainter painter(&image);
            combo.itemDelegate()->paint(&painter, option, combo.model()->index(6, 0));  // Red
        }
        QCOMPARE(image.pixelColor(20, 6), QColor(Qt::red));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::cyan));
        QCOMPARE(image.pixelColor(39, 11), QColor(Qt::cyan));
        option.state = QStyle::State_None;
        {
            QPainter painter(&image);
            combo.itemDelegate()->paint(&painter, option, combo.model()->index(1, 0));  // Blue
        }
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::blue));
    }
};

QTEST_MAIN(ColorComboBoxTest)
#include "colorcombobox_test.moc"
