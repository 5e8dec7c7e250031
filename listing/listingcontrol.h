#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QColor>

#include <memory>
#include <span>

#include "listing/colorlayer.h"
#include "listing/formatranges.h"
#include "listing/textsource.h"

class QTimer;

/// A read-only, fixed-pitch text control for listings: the operations the hex
/// views rely on (set and get the text, selection, scroll to the caret, hide
/// the selection, replace the selection, colour and underline ranges, read-only,
/// font, background colour) over a TextSource, so that the text of a large file
/// is produced line by line as it is painted.
///
/// Positions are 64-bit character indices; one line break is one position.
/// The caret is shown even while read-only and moves with the keyboard and the
/// mouse as in any read-only edit control. Text is black on a white page
/// whatever the desktop theme, because mark colours are chosen for white.
///
/// Every method runs on the user-interface thread only: workers hand their
/// results to the thread that owns the control (see docs/architecture.md).
class ListingControl : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ListingControl(QWidget* parent = nullptr);
    ~ListingControl() override;

    // Set whole text: every character returns to the default format.
    void setText(QByteArrayView text);
    void setTextSource(std::shared_ptr<TextSource> source);
    // Get whole text (or a part of it).
    QByteArray text() const;
    QByteArray text(TextPos from, TextPos to) const;
    TextPos textLength() const;
    const TextSource& textSource() const;

    /// The selection ordered so that start <= end; a caret is an empty range.
    TextRange selection() const;
    TextPos anchorPosition() const;
    TextPos caretPosition() const;
    /// Selects from anchor up to (not including) caret; positions are clamped to the text.
    void setSelection(TextPos anchor, TextPos caret);
    void scrollCaretIntoView();
    /// While hidden, selection changes are not drawn.
    void setSelectionHidden(bool hidden);
    bool isSelectionHidden() const;

    /// Replaces the selected characters; text and formats outside stay. The
    /// selection becomes a caret after the new text.
    void replaceSelection(QByteArrayView text);
    /// The source's own characters in range changed where they stand (no
    /// character moved; the last line may have grown or shrunk at its end):
    /// repaints them and keeps the selection within the text. Formats stay.
    void refreshRange(TextRange range);
    /// The source grew at its end: characters from range.start on changed
    /// or are new, those before stay. Grows the scroll range and repaints the
    /// changed lines; the selection, the scroll position and the formats stay,
    /// except that a listing scrolled to its end follows the new end.
    void textAppended(TextRange range);
    void setSelectionColor(Rgb color);
    void setSelectionUnderline(bool underline);
    /// Underlines a range without touching the selection.
    void underlineRange(TextRange range);
    /// Colours many ranges in one call, with one repaint.
    void colorRanges(std::span<const ColoredRange> ranges);
    /// Lays colours over the text (not owned; nullptr for none); they are
    /// painted, printed and reported like the text's own colours.
    void setColorLayer(const ColorLayer* layer);
    /// The layer's colours changed over range: repaints it.
    void colorLayerChanged(TextRange range);
    CharFormat formatAt(TextPos pos) const;
    std::vector<FormatRun> formatRuns(TextRange range) const;
    /// The longest run around pos with pos's format, clipped to the text.
    FormatRun formatRunAt(TextPos pos) const;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;

    /// Character cell metrics of the current font, for layout and printing.
    int characterWidth() const;
    int lineHeight() const;
    /// The position under a point of the viewport, and the rectangle of a position.
    TextPos positionAt(const QPoint& viewportPoint) const;
    QRect positionRect(TextPos pos) const;

    /// Draws lines [firstLine, firstLine + lineCount) of the text with their
    /// formats, top-left at origin, without selection or caret (for printing).
    void paintLines(QPainter& painter, const QPoint& origin, qint64 firstLine, qint64 lineCount) const;

signals:
    void selectionChanged();
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
