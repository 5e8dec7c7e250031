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

    void theFieldShowsTheChosenSwatchAndNameOrNothing()
    {
        CColorComboBox combo;
        combo.resize(combo.sizeHint());
        const int middle = combo.height() / 2;
        const QPoint inSwatch(6, middle);
        const QRect nameArea(ColorSwatchDelegate::swatchRoom(combo.fontMetrics()) + 4, 0, 30, combo.height());
        const QImage unchosen = combo.grab().toImage();
        combo.selectColorName(QStringLiteral("Red"));
        const QImage red = combo.grab().toImage();
        QCOMPARE(red.pixelColor(inSwatch), QColor(Qt::red));
        QVERIFY(unchosen.pixelColor(inSwatch) != QColor(Qt::red));
        // The name's letters: grey pixels (black text smoothed on the field), unlike any swatch colour.
        const auto letterPixels = [&](const QImage& image) {
            int count = 0;
            for (int x = nameArea.left(); x <= nameArea.right(); ++x)
                for (int y = nameArea.top() + 3; y < nameArea.bottom() - 3; ++y)
                    count += image.pixelColor(x, y).saturation() < 30 && image.pixelColor(x, y).lightness() < 128;
            return count;
        };
        QVERIFY(letterPixels(red) > 10);
        QCOMPARE(letterPixels(unchosen), 0);
    }

    void aSelectedItemIsFramedInTheInverseColour()
    {
        CColorComboBox combo;
        QImage image(120, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        option.state = QStyle::State_Selected;
        {
            QPainter painter(&image);
            combo.itemDelegate()->paint(&painter, option, combo.model()->index(6, 0));  // Red
        }
        QCOMPARE(image.pixelColor(6, 8), QColor(Qt::red));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::cyan));
        QCOMPARE(image.pixelColor(0, 15), QColor(Qt::cyan));
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
