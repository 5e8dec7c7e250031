#include "listing/listingcontrol.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <limits>

#include "listing/plaintext.h"
#include "listing/textboundaries.h"

namespace {

constexpr int kMarginPx = 2;
constexpr int kCaretWidthPx = 1;
// Listing lines are short and alike, so the lines seen so far stand in for
// the longest line instead of a scan of a text of a billion characters.
constexpr qint64 kWidthScanLines = 1000;
constexpr int kAutoScrollIntervalMs = 50;
// Accessibility events carry changed text only up to this length; a screen
// reader asks for more through the text interface.
constexpr TextPos kAccessibleSnippetLimit = 65536;
const QColor kTextColor(Qt::black);
const QColor kHighlightColor(0x00, 0x78, 0xD7);
const QColor kHighlightedTextColor(Qt::white);

int clampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

struct Metrics {
    qreal charWidth;
    qreal lineHeight;
    qreal ascent;
};

TextRange intersect(TextRange a, TextRange b)
{
    const TextRange r{std::max(a.start, b.start), std::min(a.end, b.end)};
    return r.start < r.end ? r : TextRange{r.start, r.start};
}

}  // namespace

struct ListingControl::Private {
    using Move = TextPos (Private::*)(TextPos) const;
    struct KeyMove {
        int key;
        bool control;
        Move move;
        bool keepsColumn;  // vertical moves aim for the column where they began
    };

    explicit Private(ListingControl* control) : q(control), source(std::make_shared<PlainText>()) {}

    ListingControl* q;
    std::shared_ptr<TextSource> source;
    FormatRanges formats;
    const ColorLayer* colorLayer = nullptr;
    TextPos anchor = 0;
    TextPos caret = 0;
    qint64 desiredColumn = -1;
    bool selectionHidden = false;
    bool readOnly = true;
    QColor pageColor = Qt::white;
    QFont paintFont;
    int charWidth = 8;
    int lineHeight = 16;
    int ascent = 12;
    qint64 maxColumns = 0;
    bool widthGrowthQueued = false;
    bool caretPhase = true;
    QTimer* blinkTimer = nullptr;
    QTimer* autoScrollTimer = nullptr;
    bool dragging = false;
    QPoint dragPoint;
    int wheelRemainder = 0;

    // Geometry.
    qint64 firstLine() const { return q->verticalScrollBar()->value(); }
    int xOffset() const { return q->horizontalScrollBar()->value(); }
    qint64 fullLines() const { return std::max(1, q->viewport()->height() / lineHeight); }
    qint64 lineOf(TextPos pos) const { return source->lineOfPosition(pos); }
    TextPos clampPos(TextPos pos) const { return std::clamp<TextPos>(pos, 0, source->length()); }
    TextRange selection() const { return {std::min(anchor, caret), std::max(anchor, caret)}; }

    void updateMetrics();
    bool noteLineWidth(qint64 line);
    void scanInitialWidths();
    void updateScrollBars();
    void updateLines(qint64 first, qint64 last);
    void updateRange(TextRange range);
    void scrollToLine(qint64 line);

    // Selection.
    void select(TextPos newAnchor, TextPos newCaret);
    void moveCaretTo(TextPos pos, bool extend) { select(extend ? anchor : pos, pos); }
    void restartBlink();
    QRect caretRect() const { return q->positionRect(caret).adjusted(0, 0, kCaretWidthPx - charWidth, 0); }

    // Text.
    void resetText(std::shared_ptr<TextSource> newSource);
    QString snippet(TextRange range) const;

    /// The formats of span with the colour layer laid over them.
    std::vector<FormatRun> runs(TextRange span) const;

    // Painting.
    void drawLine(QPainter& painter, QPointF origin, qint64 line, const Metrics& m, TextRange shownSelection) const;
    void drawPiece(QPainter& painter, QPointF origin, const Metrics& m, const QString& text, qint64 column,
                   const CharFormat& format, bool selected) const;

    // Keys: each handler takes the key or says it did not.
    bool handleMovementKey(QKeyEvent* event);
    bool handleEditingKey(QKeyEvent* event);
    static const KeyMove kKeyMoves[];
    TextPos left(TextPos pos) const { return clampPos(pos - 1); }
    TextPos right(TextPos pos) const { return clampPos(pos + 1); }
    TextPos up(TextPos pos) const { return verticalTarget(pos, -1); }
    TextPos down(TextPos pos) const { return verticalTarget(pos, 1); }
    TextPos pageUp(TextPos pos) const { return verticalTarget(pos, -fullLines()); }
    TextPos pageDown(TextPos pos) const { return verticalTarget(pos, fullLines()); }
    TextPos lineHome(TextPos pos) const { return source->lineStart(lineOf(pos)); }
    TextPos lineEnd(TextPos pos) const { return lineHome(pos) + source->lineLength(lineOf(pos)); }
    TextPos textStart(TextPos) const { return 0; }
    TextPos textEnd(TextPos) const { return source->length(); }
    TextPos wordLeft(TextPos pos) const { return TextBoundaries::previousWordStart(*source, pos); }
    TextPos wordRight(TextPos pos) const { return TextBoundaries::nextWordStart(*source, pos); }
    TextPos verticalTarget(TextPos pos, qint64 lines) const;

    // Mouse.
    void dragTo(QPoint viewportPoint);
    void autoScrollStep();

    // Accessibility.
    void notifySelection(TextRange old);
    void notifyTextChange(TextPos at, const QString& removed, const QString& inserted);
};

const ListingControl::Private::KeyMove ListingControl::Private::kKeyMoves[] = {
    {Qt::Key_Left, false, &Private::left, false},
    {Qt::Key_Right, false, &Private::right, false},
    {Qt::Key_Up, false, &Private::up, true},
    {Qt::Key_Down, false, &Private::down, true},
    {Qt::Key_PageUp, false, &Private::pageUp, true},
    {Qt::Key_PageDown, false, &Private::pageDown, true},
    {Qt::Key_Home, false, &Private::lineHome, false},
    {Qt::Key_End, false, &Private::lineEnd, false},
    {Qt::Key_Home, true, &Private::textStart, false},
    {Qt::Key_End, true, &Private::textEnd, false},
    {Qt::Key_Left, true, &Private::wordLeft, false},
    {Qt::Key_Right, true, &Private::wordRight, false},
};

void ListingControl::Private::updateMetrics()
{
    // Round the advance to whole pixels through letter spacing, so that a run
    // drawn as one string puts every character on its own column.
    QFont font = q->font();
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    charWidth = std::max(1, qRound(advance));
    font.setLetterSpacing(QFont::AbsoluteSpacing, charWidth - advance);
    paintFont = font;
    const QFontMetrics metrics(paintFont);
    lineHeight = std::max(1, metrics.lineSpacing());
    ascent = metrics.ascent();
    updateScrollBars();
    q->viewport()->update();
}

bool ListingControl::Private::noteLineWidth(qint64 line)
{
    const qint64 columns = source->lineLength(line);
    if (columns <= maxColumns)
        return false;
    maxColumns = columns;
    return true;
}

void ListingControl::Private::scanInitialWidths()
{
    maxColumns = 0;
    const qint64 lines = std::min(source->lineCount(), kWidthScanLines);
    for (qint64 line = 0; line < lines; ++line)
        noteLineWidth(line);
}

void ListingControl::Private::updateScrollBars()
{
    const qint64 visible = fullLines();
    QScrollBar* vertical = q->verticalScrollBar();
    vertical->setRange(0, clampToInt(std::max<qint64>(0, source->lineCount() - visible)));
    vertical->setPageStep(clampToInt(visible));
    vertical->setSingleStep(1);
    const qint64 contentWidth = 2 * kMarginPx + (maxColumns + 1) * charWidth;
    QScrollBar* horizontal = q->horizontalScrollBar();
    horizontal->setRange(0, clampToInt(std::max<qint64>(0, contentWidth - q->viewport()->width())));
    horizontal->setPageStep(q->viewport()->width());
    horizontal->setSingleStep(charWidth);
}

void ListingControl::Private::updateLines(qint64 first, qint64 last)
{
    const qint64 top = std::max(first, firstLine());
    const qint64 bottom = std::min(last, firstLine() + fullLines() + 1);
    if (top > bottom)
        return;
    const int y = clampToInt((top - firstLine()) * lineHeight);
    q->viewport()->update(QRect(0, y, q->viewport()->width(), clampToInt((bottom - top + 1) * lineHeight)));
}

void ListingControl::Private::updateRange(TextRange range)
{
    updateLines(lineOf(clampPos(range.start)), lineOf(clampPos(range.end)));
}

void ListingControl::Private::scrollToLine(qint64 line)
{
    q->verticalScrollBar()->setValue(clampToInt(line));
}

void ListingControl::Private::select(TextPos newAnchor, TextPos newCaret)
{
    newAnchor = clampPos(newAnchor);
    newCaret = clampPos(newCaret);
    if (newAnchor == anchor && newCaret == caret)
        return;
    const TextRange old = selection();
    anchor = newAnchor;
    caret = newCaret;
    restartBlink();
    if (!selectionHidden) {
        updateRange(old);
        updateRange(selection());
        q->scrollCaretIntoView();
    }
    emit q->selectionChanged();
    notifySelection(old);
}

void ListingControl::Private::restartBlink()
{
    caretPhase = true;
    const int interval = QApplication::cursorFlashTime() / 2;
    if (q->hasFocus() && interval > 0)
        blinkTimer->start(interval);
}

void ListingControl::Private::resetText(std::shared_ptr<TextSource> newSource)
{
    const QString removed = snippet({0, source->length()});
    const TextRange old = selection();
    source = newSource ? std::move(newSource) : std::make_shared<PlainText>();
    formats.clear();
    anchor = caret = 0;
    desiredColumn = -1;
    scanInitialWidths();
    updateScrollBars();
    q->verticalScrollBar()->setValue(0);
    q->horizontalScrollBar()->setValue(0);
    q->viewport()->update();
    emit q->textChanged();
    notifyTextChange(0, removed, snippet({0, source->length()}));
    if (old != TextRange{}) {
        emit q->selectionChanged();
        notifySelection(old);
    }
}

QString ListingControl::Private::snippet(TextRange range) const
{
    if (!QAccessible::isActive() || range.end - range.start > kAccessibleSnippetLimit)
        return QString();
    return QString::fromLatin1(source->text(range.start, range.end));
}

void ListingControl::Private::drawPiece(QPainter& painter, QPointF origin, const Metrics& m, const QString& text,
                                        qint64 column, const CharFormat& format, bool selected) const
{
    const QRectF cell(origin.x() + column * m.charWidth, origin.y(), text.size() * m.charWidth, m.lineHeight);
    if (selected)
        painter.fillRect(cell, kHighlightColor);
    QFont font = painter.font();
    font.setUnderline(format.underline);
    painter.setFont(font);
    painter.setPen(selected ? kHighlightedTextColor : QColor::fromRgb(format.color));
    painter.drawText(QPointF(cell.x(), origin.y() + m.ascent), text);
}

void ListingControl::Private::drawLine(QPainter& painter, QPointF origin, qint64 line, const Metrics& m,
                                       TextRange shownSelection) const
{
    const TextPos start = source->lineStart(line);
    const TextRange span{start, start + source->lineLength(line)};
    const QString text = QString::fromLatin1(source->text(span.start, span.end));
    for (const FormatRun& run : runs(span)) {
        // A run splits into the parts before, inside and after the selection.
        const TextRange inside = intersect(run.range, shownSelection);
        const TextRange pieces[] = {{run.range.start, std::min(run.range.end, inside.start)},
                                    inside,
                                    {std::max(run.range.start, inside.end), run.range.end}};
        for (const TextRange& piece : pieces) {
            if (piece.start >= piece.end)
                continue;
            drawPiece(painter, origin, m, text.mid(piece.start - start, piece.end - piece.start), piece.start - start,
                      run.format, &piece == &pieces[1]);
        }
    }
    // A selected line break shows as one highlighted cell after the line.
    const bool breakSelected = line + 1 < source->lineCount() && shownSelection.start <= span.end &&
                               span.end < shownSelection.end;
    if (breakSelected) {
        painter.fillRect(QRectF(origin.x() + (span.end - start) * m.charWidth, origin.y(), m.charWidth, m.lineHeight),
                         kHighlightColor);
    }
}

std::vector<FormatRun> ListingControl::Private::runs(TextRange span) const
{
    std::vector<FormatRun> base = formats.runs(span);
    std::vector<ColoredRange> colors;
    if (colorLayer)
        colorLayer->colorRuns(span, colors);
    if (colors.empty())
        return base;
    std::vector<FormatRun> merged;
    const auto add = [&merged](TextRange range, CharFormat format) {
        if (!merged.empty() && merged.back().format == format && merged.back().range.end == range.start)
            merged.back().range.end = range.end;
        else
            merged.push_back({range, format});
    };
    std::size_t next = 0;
    for (const FormatRun& run : base) {
        for (TextPos at = run.range.start; at < run.range.end;) {
            while (next < colors.size() && colors[next].range.end <= at)
                ++next;
            CharFormat format = run.format;
            TextPos end = run.range.end;
            if (next < colors.size() && colors[next].range.start <= at) {
                format.color = colors[next].color;
                end = std::min(end, colors[next].range.end);
            } else if (next < colors.size()) {
                end = std::min(end, colors[next].range.start);
            }
            add({at, end}, format);
            at = end;
        }
    }
    return merged;
}

TextPos ListingControl::Private::verticalTarget(TextPos pos, qint64 lines) const
{
    const qint64 line = lineOf(pos);
    const qint64 column = desiredColumn >= 0 ? desiredColumn : pos - source->lineStart(line);
    const qint64 target = std::clamp<qint64>(line + lines, 0, source->lineCount() - 1);
    return source->lineStart(target) + std::min(column, source->lineLength(target));
}

bool ListingControl::Private::handleMovementKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    const bool control = modifiers & Qt::ControlModifier;
    const bool extend = modifiers & Qt::ShiftModifier;
    for (const KeyMove& entry : kKeyMoves) {
        if (entry.key != event->key() || entry.control != control)
            continue;
        const TextRange range = selection();
        // As in any edit control, Left and Right first collapse a selection to its edge.
        const bool collapse = !extend && range.start != range.end && !control;
        TextPos target = (this->*entry.move)(caret);
        if (collapse && entry.move == &Private::left)
            target = range.start;
        else if (collapse && entry.move == &Private::right)
            target = range.end;
        const qint64 column = caret - source->lineStart(lineOf(caret));
        if (entry.keepsColumn && desiredColumn < 0)
            desiredColumn = column;
        const qint64 keptColumn = entry.keepsColumn ? desiredColumn : -1;
        if (entry.move == &Private::pageUp || entry.move == &Private::pageDown) {
            const qint64 page = entry.move == &Private::pageUp ? -fullLines() : fullLines();
            scrollToLine(firstLine() + page);
        }
        moveCaretTo(target, extend);
        desiredColumn = keptColumn;
        return true;
    }
    return false;
}

bool ListingControl::Private::handleEditingKey(QKeyEvent* event)
{
    if (readOnly || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const TextRange range = selection();
    const int key = event->key();
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && range.start == range.end) {
        const TextPos other = key == Qt::Key_Backspace ? caret - 1 : caret + 1;
        if (other < 0 || other > source->length())
            return true;
        select(caret, other);
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        q->replaceSelection({});
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        q->replaceSelection("\n");
        return true;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() <= 0xFF && c.unicode() != 0x7F;
    });
    if (!printable)
        return false;
    q->replaceSelection(typed.toLatin1());
    return true;
}

void ListingControl::Private::dragTo(QPoint viewportPoint)
{
    dragPoint = viewportPoint;
    moveCaretTo(q->positionAt(viewportPoint), true);
    if (q->viewport()->rect().contains(viewportPoint))
        autoScrollTimer->stop();
    else if (!autoScrollTimer->isActive())
        autoScrollTimer->start(kAutoScrollIntervalMs);
}

void ListingControl::Private::autoScrollStep()
{
    const QRect area = q->viewport()->rect();
    if (dragPoint.y() < area.top())
        scrollToLine(firstLine() - 1);
    else if (dragPoint.y() > area.bottom())
        scrollToLine(firstLine() + 1);
    QScrollBar* horizontal = q->horizontalScrollBar();
    if (dragPoint.x() < area.left())
        horizontal->setValue(horizontal->value() - charWidth);
    else if (dragPoint.x() > area.right())
        horizontal->setValue(horizontal->value() + charWidth);
    moveCaretTo(q->positionAt(dragPoint), true);
}

void ListingControl::Private::notifySelection(TextRange old)
{
    if (!QAccessible::isActive())
        return;
    const TextRange now = selection();
    if (now.start != now.end || old.start != old.end) {
        QAccessibleTextSelectionEvent event(q, clampToInt(now.start), clampToInt(now.end));
        event.setCursorPosition(clampToInt(caret));
        QAccessible::updateAccessibility(&event);
    }
    QAccessibleTextCursorEvent event(q, clampToInt(caret));
    QAccessible::updateAccessibility(&event);
}

void ListingControl::Private::notifyTextChange(TextPos at, const QString& removed, const QString& inserted)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTextUpdateEvent event(q, clampToInt(at), removed, inserted);
    QAccessible::updateAccessibility(&event);
}

ListingControl::ListingControl(QWidget* parent)
    : QAbstractScrollArea(parent)
    , d(std::make_unique<Private>(this))
{
    d->blinkTimer = new QTimer(this);
    connect(d->blinkTimer, &QTimer::timeout, this, [this] {
        d->caretPhase = !d->caretPhase;
        viewport()->update(d->caretRect());
    });
    d->autoScrollTimer = new QTimer(this);
    connect(d->autoScrollTimer, &QTimer::timeout, this, [this] { d->autoScrollStep(); });
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(true);
    setBackgroundColor(Qt::white);

    QFont font(QStringLiteral("Courier"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
    }
    setFont(font);
    d->updateMetrics();
}

ListingControl::~ListingControl() = default;

void ListingControl::setText(QByteArrayView text)
{
    d->resetText(std::make_shared<PlainText>(text.toByteArray()));
}

void ListingControl::setTextSource(std::shared_ptr<TextSource> source)
{
    d->resetText(std::move(source));
}

QByteArray ListingControl::text() const
{
    return d->source->text(0, d->source->length());
}

QByteArray ListingControl::text(TextPos from, TextPos to) const
{
    from = d->clampPos(from);
    to = std::max(from, d->clampPos(to));
    return d->source->text(from, to);
}

TextPos ListingControl::textLength() const
{
    return d->source->length();
}

const TextSource& ListingControl::textSource() const
{
    return *d->source;
}

TextRange ListingControl::selection() const
{
    return d->selection();
}

TextPos ListingControl::anchorPosition() const
{
    return d->anchor;
}

TextPos ListingControl::caretPosition() const
{
    return d->caret;
}

void ListingControl::setSelection(TextPos anchor, TextPos caret)
{
    d->desiredColumn = -1;
    d->select(anchor, caret);
}

void ListingControl::scrollCaretIntoView()
{
    const qint64 line = d->lineOf(d->caret);
    if (line < d->firstLine())
        d->scrollToLine(line);
    else if (line >= d->firstLine() + d->fullLines())
        d->scrollToLine(line - d->fullLines() + 1);
    const qint64 column = d->caret - d->source->lineStart(line);
    const qint64 x = kMarginPx + column * d->charWidth;
    QScrollBar* horizontal = horizontalScrollBar();
    if (x < horizontal->value() + kMarginPx)
        horizontal->setValue(clampToInt(x - kMarginPx));
    else if (x + d->charWidth > horizontal->value() + viewport()->width())
        horizontal->setValue(clampToInt(x + d->charWidth - viewport()->width()));
}

void ListingControl::setSelectionHidden(bool hidden)
{
    if (hidden == d->selectionHidden)
        return;
    d->selectionHidden = hidden;
    viewport()->update();
}

bool ListingControl::isSelectionHidden() const
{
    return d->selectionHidden;
}

void ListingControl::replaceSelection(QByteArrayView text)
{
    const TextRange range = d->selection();
    const qint64 firstChanged = d->lineOf(range.start);
    const bool linesMove = firstChanged != d->lineOf(range.end) || text.contains('\n');
    const QString removed = d->snippet(range);
    if (!d->source->replace(range.start, range.end, text)) {
        // A generated text holds only what it generates: carry on with a copy.
        auto copy = std::make_shared<PlainText>(d->source->text(0, d->source->length()));
        copy->replace(range.start, range.end, text);
        d->source = std::move(copy);
    }
    d->formats.replace(range, text.size());
    const TextPos end = range.start + text.size();
    for (qint64 line = firstChanged, last = d->lineOf(end); line <= last; ++line)
        d->noteLineWidth(line);
    d->updateScrollBars();
    if (linesMove)
        d->updateLines(firstChanged, d->firstLine() + d->fullLines() + 1);
    else
        d->updateLines(firstChanged, firstChanged);
    emit textChanged();
    d->notifyTextChange(range.start, removed, d->snippet({range.start, end}));
    d->desiredColumn = -1;
    d->select(end, end);
}

void ListingControl::refreshRange(TextRange range)
{
    const qint64 first = d->lineOf(d->clampPos(range.start));
    const qint64 last = d->lineOf(d->clampPos(range.end));
    if (d->noteLineWidth(last))
        d->updateScrollBars();
    d->updateLines(first, last);
    emit textChanged();
    const QString changed = d->snippet({d->clampPos(range.start), d->clampPos(range.end)});
    d->notifyTextChange(d->clampPos(range.start), changed, changed);
    d->select(d->anchor, d->caret);
}

void ListingControl::textAppended(TextRange range)
{
    QScrollBar* vertical = verticalScrollBar();
    const bool followsEnd = vertical->value() == vertical->maximum();
    const qint64 first = d->lineOf(d->clampPos(range.start));
    const qint64 last = d->source->lineCount() - 1;
    // Listing lines are alike: the first and the last changed stand for the rest.
    d->noteLineWidth(first);
    d->noteLineWidth(last);
    d->updateScrollBars();
    if (followsEnd)
        d->scrollToLine(last);
    d->updateLines(first, last);
    emit textChanged();
    d->notifyTextChange(range.start, QString(), d->snippet({range.start, d->clampPos(range.end)}));
}

void ListingControl::setSelectionColor(Rgb color)
{
    const ColoredRange range{d->selection(), color};
    colorRanges({&range, 1});
}

void ListingControl::setSelectionUnderline(bool underline)
{
    const TextRange range = d->selection();
    d->formats.setUnderline(range, underline);
    d->updateRange(range);
}

void ListingControl::underlineRange(TextRange range)
{
    range = {d->clampPos(range.start), d->clampPos(range.end)};
    d->formats.setUnderline(range, true);
    d->updateRange(range);
}

void ListingControl::colorRanges(std::span<const ColoredRange> ranges)
{
    if (ranges.empty())
        return;
    TextRange changed{std::numeric_limits<TextPos>::max(), 0};
    for (const ColoredRange& r : ranges) {
        const TextRange range{d->clampPos(r.range.start), d->clampPos(r.range.end)};
        d->formats.setColor(range, r.color);
        changed = {std::min(changed.start, range.start), std::max(changed.end, range.end)};
    }
    d->updateRange(changed);
}

void ListingControl::setColorLayer(const ColorLayer* layer)
{
    d->colorLayer = layer;
    viewport()->update();
}

void ListingControl::colorLayerChanged(TextRange range)
{
    d->updateRange(range);
}

CharFormat ListingControl::formatAt(TextPos pos) const
{
    const std::vector<FormatRun> runs = d->runs({pos, pos + 1});
    return runs.empty() ? d->formats.formatAt(pos) : runs.front().format;
}

std::vector<FormatRun> ListingControl::formatRuns(TextRange range) const
{
    return d->runs({d->clampPos(range.start), d->clampPos(range.end)});
}

FormatRun ListingControl::formatRunAt(TextPos pos) const
{
    if (d->colorLayer) {
        // Runs of the layer are reported line by line: a fully marked large
        // file need not be swept for the end of one colour.
        const qint64 line = d->lineOf(d->clampPos(pos));
        const TextPos start = d->source->lineStart(line);
        const TextRange span{start, std::min(start + d->source->lineLength(line) + 1, d->source->length())};
        for (const FormatRun& run : d->runs(span)) {
            if (run.range.start <= pos && pos < run.range.end)
                return run;
        }
    }
    FormatRun run = d->formats.runAt(pos);
    run.range.end = std::min(run.range.end, d->source->length());
    return run;
}

void ListingControl::setReadOnly(bool readOnly)
{
    if (readOnly == d->readOnly)
        return;
    d->readOnly = readOnly;
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.readOnly = true;
        changed.editable = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

bool ListingControl::isReadOnly() const
{
    return d->readOnly;
}

void ListingControl::setBackgroundColor(const QColor& color)
{
    // Set on the viewport itself, so neither the desktop theme nor a parent's
    // palette reaches the page.
    d->pageColor = color;
    QPalette palette = viewport()->palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, color);
    palette.setColor(QPalette::Text, kTextColor);
    palette.setColor(QPalette::Highlight, kHighlightColor);
    palette.setColor(QPalette::HighlightedText, kHighlightedTextColor);
    viewport()->setPalette(palette);
    viewport()->update();
}

QColor ListingControl::backgroundColor() const
{
    return d->pageColor;
}

int ListingControl::characterWidth() const
{
    return d->charWidth;
}

int ListingControl::lineHeight() const
{
    return d->lineHeight;
}

TextPos ListingControl::positionAt(const QPoint& viewportPoint) const
{
    const int y = viewportPoint.y();
    const qint64 row = y >= 0 ? y / d->lineHeight : -((-y + d->lineHeight - 1) / d->lineHeight);
    const qint64 line = std::clamp<qint64>(d->firstLine() + row, 0, d->source->lineCount() - 1);
    const qint64 x = qint64(viewportPoint.x()) + d->xOffset() - kMarginPx;
    // The nearest boundary between characters, not the character under the point.
    const qint64 column = x <= 0 ? 0 : (x + d->charWidth / 2) / d->charWidth;
    return d->source->lineStart(line) + std::min(column, d->source->lineLength(line));
}

QRect ListingControl::positionRect(TextPos pos) const
{
    pos = d->clampPos(pos);
    const qint64 line = d->lineOf(pos);
    const qint64 column = pos - d->source->lineStart(line);
    return QRect(clampToInt(kMarginPx + column * d->charWidth - d->xOffset()),
                 clampToInt((line - d->firstLine()) * d->lineHeight), d->charWidth, d->lineHeight);
}

void ListingControl::paintLines(QPainter& painter, const QPoint& origin, qint64 firstLine, qint64 lineCount) const
{
    painter.save();
    painter.setFont(font());
    const QFontMetricsF metrics(font(), painter.device());
    const Metrics m{metrics.horizontalAdvance(QLatin1Char('0')), metrics.lineSpacing(), metrics.ascent()};
    const qint64 last = std::min(firstLine + lineCount, d->source->lineCount());
    for (qint64 line = std::max<qint64>(firstLine, 0); line < last; ++line)
        d->drawLine(painter, QPointF(origin) + QPointF(0, (line - firstLine) * m.lineHeight), line, m, {});
    painter.restore();
}

void ListingControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), d->pageColor);
    painter.setFont(d->paintFont);
    const Metrics m{qreal(d->charWidth), qreal(d->lineHeight), qreal(d->ascent)};
    const TextRange shownSelection = d->selectionHidden ? TextRange{} : d->selection();
    const qint64 first = d->firstLine() + event->rect().top() / d->lineHeight;
    const qint64 last = std::min(d->source->lineCount() - 1, d->firstLine() + event->rect().bottom() / d->lineHeight);
    bool wider = false;
    for (qint64 line = first; line <= last; ++line) {
        wider = d->noteLineWidth(line) || wider;
        const QPointF origin(kMarginPx - d->xOffset(), (line - d->firstLine()) * d->lineHeight);
        d->drawLine(painter, origin, line, m, shownSelection);
    }
    if (hasFocus() && d->caretPhase && !d->selectionHidden)
        painter.fillRect(d->caretRect(), kTextColor);
    // The scroll range follows after painting, not inside it.
    if (wider && !d->widthGrowthQueued) {
        d->widthGrowthQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                d->widthGrowthQueued = false;
                d->updateScrollBars();
            },
            Qt::QueuedConnection);
    }
}

void ListingControl::keyPressEvent(QKeyEvent* event)
{
    if (d->handleMovementKey(event) || d->handleEditingKey(event))
        event->accept();
    else
        event->ignore();
}

void ListingControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    d->dragging = true;
    d->desiredColumn = -1;
    d->moveCaretTo(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ListingControl::mouseMoveEvent(QMouseEvent* event)
{
    if (d->dragging && (event->buttons() & Qt::LeftButton))
        d->dragTo(event->position().toPoint());
}

void ListingControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    d->dragging = false;
    d->autoScrollTimer->stop();
}

void ListingControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const TextRange word = TextBoundaries::wordAt(*d->source, positionAt(event->position().toPoint()));
    d->desiredColumn = -1;
    d->select(word.start, word.end);
}

void ListingControl::wheelEvent(QWheelEvent* event)
{
    // Whole notches scroll by the desktop's line count; small steps of a
    // touchpad add up until they make one.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    const QPoint delta = event->angleDelta();
    const bool sideways = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
    const int amount = delta.x() != 0 ? delta.x() : delta.y();
    d->wheelRemainder += amount;
    const int notches = d->wheelRemainder / kNotch;
    d->wheelRemainder %= kNotch;
    QScrollBar* bar = sideways ? horizontalScrollBar() : verticalScrollBar();
    const int step = sideways ? d->charWidth : 1;
    bar->setValue(bar->value() - notches * QApplication::wheelScrollLines() * step);
    event->accept();
}

void ListingControl::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    d->restartBlink();
    viewport()->update(d->caretRect());
}

void ListingControl::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    d->blinkTimer->stop();
    viewport()->update(d->caretRect());
}

void ListingControl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    d->updateScrollBars();
}

void ListingControl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->updateMetrics();
}
