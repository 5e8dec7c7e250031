#pragma once

#include <QStyledItemDelegate>

/// Paints an item of a colour combo box as a swatch of its colour over the
/// whole row, found from the colour tag in the item's data; a selected item
/// gets a one-pixel frame in the inverse of its colour. The item's text is
/// kept for screen readers but not painted.
class ColorSwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    /// Paints the swatch of a colour tag into rect, framed when selected.
    static void paintSwatch(QPainter* painter, const QRect& rect, int tag, bool selected);
};
