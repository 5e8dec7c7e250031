#include "marking/colorswatchdelegate.h"

#include <QPainter>

#include <algorithm>

#include "marking/colorpalette.h"

namespace {

constexpr int kSwatchWidthInLines = 2;  // the swatch is as wide as two lines of text are high

QColor qColorOf(Rgb rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

int gapAfterSwatch(const QFontMetrics& metrics)
{
    return metrics.averageCharWidth();
}

}  // namespace

void ColorSwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    const QColor textColor = (selected ? option.palette.highlightedText() : option.palette.text()).color();
    paintItem(painter, option.rect, index.data(Qt::UserRole).toInt(), index.data(Qt::DisplayRole).toString(),
              textColor, selected);
}

QSize ColorSwatchDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(swatchRoom(option.fontMetrics), 0);
}

void ColorSwatchDelegate::paintItem(QPainter* painter, const QRect& rect, int tag, const QString& name,
                                    const QColor& textColor, bool selected)
{
    const Rgb color = colorOfTag(tag);
    const QFontMetrics metrics = painter->fontMetrics();
    const int swatchWidth = std::min(rect.width(), kSwatchWidthInLines * metrics.height());
    const QRect swatch(rect.topLeft(), QSize(swatchWidth, rect.height()));
    painter->save();
    painter->fillRect(swatch, qColorOf(color));
    if (selected) {
        painter->setPen(QPen(qColorOf(~color & 0xFFFFFF), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    painter->setPen(textColor);
    painter->drawText(rect.adjusted(swatch.width() + gapAfterSwatch(metrics), 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, name);
    painter->restore();
}

int ColorSwatchDelegate::swatchRoom(const QFontMetrics& metrics)
{
    return kSwatchWidthInLines * metrics.height() + gapAfterSwatch(metrics);
}
