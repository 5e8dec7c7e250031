#include "marking/ccolorcombobox.h"

#include <QStylePainter>

#include "marking/colorpalette.h"
#include "marking/colorswatchdelegate.h"

CColorComboBox::CColorComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    setItemDelegate(new ColorSwatchDelegate(this));
    for (const OfferedColor& offered : offeredColors())
        addSorted(QLatin1String(offered.name), offered.tag);
    setCurrentIndex(-1);
}

void CColorComboBox::addSorted(const QString& name, int tag)
{
    int at = 0;
    while (at < count() && QString::compare(itemText(at), name, Qt::CaseInsensitive) < 0)
        ++at;
    insertItem(at, name, tag);
}

void CColorComboBox::selectColorName(const QString& name)
{
    setCurrentIndex(findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString CColorComboBox::colorName(const QString& unchosen) const
{
    return currentIndex() >= 0 ? currentText() : unchosen;
}

void CColorComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    ColorSwatchDelegate::paintItem(&painter, field, currentData().toInt(), currentText(),
                                   palette().color(QPalette::Text), hasFocus());
}

QSize CColorComboBox::sizeHint() const
{
    return QComboBox::sizeHint() + QSize(ColorSwatchDelegate::swatchRoom(fontMetrics()), 0);
}

QSize CColorComboBox::minimumSizeHint() const
{
    return QComboBox::minimumSizeHint() + QSize(ColorSwatchDelegate::swatchRoom(fontMetrics()), 0);
}
