#include "listing/listingaccessible.h"

#include <QScrollBar>

#include <algorithm>
#include <limits>

#include "listing/listingcontrol.h"
#include "listing/textboundaries.h"

namespace {

// The whole text as the accessible value only while it is short: a listing of
// a large file is read through the text interface, a piece at a time.
constexpr TextPos kValueLimit = 65536;

int toInt(TextPos pos)
{
    return int(std::min<TextPos>(pos, std::numeric_limits<int>::max()));
}

QAccessibleInterface* listingFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(ListingControl::staticMetaObject.className()))
        return nullptr;
    auto* control = qobject_cast<ListingControl*>(object);
    return control ? new ListingAccessible(control) : nullptr;
}

/// A run's attributes in the names and value forms Qt's own text widgets
/// report (IAccessible2's): the platform bridge passes on only those,
/// translating "color:rgb(255,0,0)" into AT-SPI's "fg-color:255,0,0".
QString textAttributes(const CharFormat& format, const QFont& font)
{
    const QColor color = QColor::fromRgb(format.color);
    QString family = font.family();
    for (const QChar special : {u'\\', u':', u',', u'=', u';', u'"'})
        family.replace(special, QString(u'\\') + special);
    QString attributes = QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;font-style:%4;")
                             .arg(family)
                             .arg(font.pointSize())
                             .arg(font.weight() > QFont::Normal ? QStringLiteral("bold") : QStringLiteral("normal"))
                             .arg(font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"));
    // No underline is said by saying nothing, as the text widgets do.
    if (format.underline)
        attributes += QStringLiteral("text-underline-style:solid;text-underline-type:single;");
    return attributes + QStringLiteral("text-position:baseline;color:rgb(%1,%2,%3);text-align:left;")
                            .arg(color.red())
                            .arg(color.green())
                            .arg(color.blue());
}

}  // namespace

ListingAccessible::ListingAccessible(ListingControl* control)
    : QAccessibleWidget(control, QAccessible::EditableText)
{
}

ListingControl* ListingAccessible::control() const
{
    return static_cast<ListingControl*>(widget());
}

void* ListingAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ListingAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.selectableText = true;
    state.readOnly = control()->isReadOnly();
    state.editable = !control()->isReadOnly();
    return state;
}

QString ListingAccessible::text(QAccessible::Text type) const
{
    if (type != QAccessible::Value)
        return QAccessibleWidget::text(type);
    if (control()->textLength() > kValueLimit)
        return QString();
    return QString::fromLatin1(control()->text());
}

void ListingAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const TextRange range = control()->selection();
    const bool exists = selectionIndex == 0 && range.start != range.end;
    *startOffset = exists ? toInt(range.start) : 0;
    *endOffset = exists ? toInt(range.end) : 0;
}

int ListingAccessible::selectionCount() const
{
    const TextRange range = control()->selection();
    return range.start != range.end ? 1 : 0;
}

void ListingAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void ListingAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        control()->setSelection(control()->caretPosition(), control()->caretPosition());
}

void ListingAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        control()->setSelection(startOffset, endOffset);
}

int ListingAccessible::cursorPosition() const
{
    return toInt(control()->caretPosition());
}

void ListingAccessible::setCursorPosition(int position)
{
    control()->setSelection(position, position);
}

QString ListingAccessible::text(int startOffset, int endOffset) const
{
    return QString::fromLatin1(control()->text(startOffset, endOffset));
}

std::pair<int, int> ListingAccessible::boundaryAt(int offset, QAccessible::TextBoundaryType boundaryType) const
{
    const TextSource& source = control()->textSource();
    const TextPos pos = std::clamp<TextPos>(offset, 0, characterCount());
    TextRange range;
    switch (boundaryType) {
    case QAccessible::CharBoundary:
        range = {pos, std::min<TextPos>(pos + 1, characterCount())};
        break;
    case QAccessible::WordBoundary:
        range = TextBoundaries::wordAt(source, pos);
        break;
    case QAccessible::NoBoundary:
        range = {0, characterCount()};
        break;
    default:  // sentences and paragraphs of a listing are its lines
        range = TextBoundaries::lineAt(source, pos);
        break;
    }
    return {toInt(range.start), toInt(range.end)};
}

QString ListingAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const
{
    const auto [start, end] = boundaryAt(offset, boundaryType);
    std::tie(*startOffset, *endOffset) = start > 0 ? boundaryAt(start - 1, boundaryType) : std::pair{0, 0};
    Q_UNUSED(end);
    return text(*startOffset, *endOffset);
}

QString ListingAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const
{
    const int end = boundaryAt(offset, boundaryType).second;
    const int count = characterCount();
    std::tie(*startOffset, *endOffset) = end < count ? boundaryAt(end, boundaryType) : std::pair{count, count};
    return text(*startOffset, *endOffset);
}

QString ListingAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const
{
    std::tie(*startOffset, *endOffset) = boundaryAt(offset, boundaryType);
    return text(*startOffset, *endOffset);
}

int ListingAccessible::characterCount() const
{
    return toInt(control()->textLength());
}

QRect ListingAccessible::characterRect(int offset) const
{
    const QRect rect = control()->positionRect(offset);
    return rect.translated(control()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int ListingAccessible::offsetAtPoint(const QPoint& point) const
{
    const QPoint local = control()->viewport()->mapFromGlobal(point);
    if (!control()->viewport()->rect().contains(local))
        return -1;
    return toInt(control()->positionAt(local));
}

void ListingAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    // Brings the start of the substring into view without moving the caret.
    Q_UNUSED(endIndex);
    ListingControl* listing = control();
    const QRect target = listing->positionRect(startIndex);
    const QRect area = listing->viewport()->rect();
    QScrollBar* vertical = listing->verticalScrollBar();
    if (target.top() < area.top() || target.bottom() > area.bottom())
        vertical->setValue(toInt(listing->textSource().lineOfPosition(std::max(startIndex, 0))));
    QScrollBar* horizontal = listing->horizontalScrollBar();
    if (target.left() < area.left() || target.right() > area.right())
        horizontal->setValue(horizontal->value() + target.left() - area.width() / 2);
}

QString ListingAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    if (offset < 0 || offset >= characterCount()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    const FormatRun run = control()->formatRunAt(offset);
    *startOffset = toInt(run.range.start);
    *endOffset = toInt(run.range.end);
    return textAttributes(run.format, control()->font());
}

void installListingAccessibility()
{
    QAccessible::installFactory(listingFactory);
}
