#pragma once

#include <QStyledItemDelegate>

/// Paints an item of a colour combo box as a swatch of its colour, found
/// from the colour tag in the item's data, with the colour's name beside it,
/// so that a colour can be told by its name as well as seen; a selected item
/// gets a one-pixel frame round its swatch in the inverse of its colour.
class ColorSwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    /// Paints the swatch of a colour tag at the left of rect, framed when
    /// selected, and the name beside it in textColor.
    static void paintItem(QPainter* painter, const QRect& rect, int tag, const QString& name, const QColor& textColor,
                          bool selected);
    /// The room an item needs beside its name's: the swatch and the gap after it.
    static int swatchRoom(const QFontMetrics& metrics);
};
