#pragma once

#include <QComboBox>

/// The drop-down list of mark colours: the eight offered colour names in
/// alphabetical order, each painted as a swatch of its colour with its name
/// beside it (in the list and in the field), each item keeping its name as
/// text for screen readers and its colour's tag as data. Nothing is chosen until a name is pre-selected
/// or picked; the field is then empty.
class CColorComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit CColorComboBox(QWidget* parent = nullptr);

    /// Chooses the item of exactly this name; any other name chooses nothing.
    void selectColorName(const QString& name);
    /// The chosen colour's name, or `unchosen` when nothing is chosen.
    QString colorName(const QString& unchosen) const;

    /// Wide enough for the swatch beside the longest name.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// Adds a name where alphabetical order puts it, as a sorted list does.
    void addSorted(const QString& name, int tag);
};
