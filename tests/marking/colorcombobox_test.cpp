#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTest>

#include "marking/ccolorcombobox.h"
#include "marking/colorpalette.h"
#include "support/dialogdriver.h"

class ColorComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheOfferedNamesSortedAndPreselectsOnlyAnExactName()
    {
        CColorComboBox combo;
        QVERIFY(!combo.isEditable());
        QStringList offered;
        for (const OfferedColor& color : offeredColors())
            offered << QLatin1String(color.name);
        offered.sort();
        QCOMPARE(DialogDriver::itemTexts(combo), offered);
        for (int i = 0; i < combo.count(); ++i)
            QCOMPARE(colorOfTag(combo.itemData(i).toInt()), ColorFromName(combo.itemText(i)));
        QCOMPARE(colorOfTag(0), kDefaultTextColor);
        for (const auto& [name, shown] : {std::pair{"red", "kept"}, {"", "kept"}, {"Red ", "kept"}, {"Red", "Red"}}) {
            combo.selectColorName(QLatin1String(name));
            QCOMPARE(combo.colorName(QStringLiteral("kept")), QLatin1String(shown));
        }
        QCOMPARE(combo.currentIndex(), 6);
    }

    void aSelectedItemIsFramedInTheInverseColour()
    {
        CColorComboBox combo;
        QImage image(120, 16, QImage::Format_RGB32);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        // Red selected, then Blue not.
        for (const auto& [row, state, corner] : {std::tuple{6, QStyle::State_Selected, Qt::cyan},
                                                 std::tuple{1, QStyle::State_None, Qt::blue}}) {
            image.fill(Qt::white);
            option.state = state;
            QPainter painter(&image);
            combo.itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
            painter.end();
            QCOMPARE(image.pixelColor(0, 0), QColor(corner));
            QCOMPARE(image.pixelColor(0, 15), QColor(corner));
        }
        QCOMPARE(image.pixelColor(6, 8), QColor(Qt::blue));
    }
};

QTEST_MAIN(ColorComboBoxTest)
#include "colorcombobox_test.moc"
