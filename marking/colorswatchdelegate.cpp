#include "marking/colorswatchdelegate.h"

#include <QPainter>

#include "marking/colorpalette.h"

namespace {

QColor qColorOf(Rgb rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

}  // namespace

void ColorSwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    paintSwatch(painter, option.rect, index.data(Qt::UserRole).toInt(), option.state & QStyle::State_Selected);
}

void ColorSwatchDelegate::paintSwatch(QPainter* painter, const QRect& rect, int tag, bool selected)
{
    const Rgb color = colorOfTag(tag);
    painter->save();
    painter->fillRect(rect, qColorOf(color));
    if (selected) {
        painter->setPen(QPen(qColorOf(~color & 0xFFFFFF), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}
