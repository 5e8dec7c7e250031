#pragma once

#include <QAccessibleWidget>

class ListingControl;

/// What assistive technology sees of a ListingControl, modelled on Qt's own
/// text widgets: an editable-text role (read-only while the control is), the
/// text with its caret and selection, character geometry, and each run's
/// colour and underline in Qt's attribute syntax.
///
/// Offsets are the control's positions clamped to int; a listing longer than
/// that is readable only up to there.
class ListingAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListingAccessible(ListingControl* control);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    ListingControl* control() const;
    /// The unit of the given kind around offset, as [start, end).
    std::pair<int, int> boundaryAt(int offset, QAccessible::TextBoundaryType boundaryType) const;
};

/// Makes Qt's accessibility use ListingAccessible for every ListingControl
/// (and its subclasses). Called once at start-up.
void installListingAccessibility();
