#include "hexdoc/hexview.h"

#include <QKeyEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

#include "byteops/addressrangedialog.h"
#include "byteops/fieldtext.h"
#include "byteops/gotodialog.h"
#include "hexdoc/caretsteps.h"
#include "hexdoc/hexdisplayexport.h"
#include "hexdoc/hexlistingtext.h"
#include "marking/colorpalette.h"
#include "listing/listingprinter.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"


HexView::HexView(Document* document, ByteModel& model, QByteArray prefix, TextPos headerStart, QWidget* parent)
    : ListingControl(parent)
    , View(document)
    , m_model(model)
    , m_prefix(std::move(prefix))
    , m_headerStart(headerStart)
    , m_layout(m_prefix.size())
{
    setAcceptDrops(false);  // dropped files go on to the main window, which opens them
    commands().onCommand(CommandId::ExportHexDisplayText,
                         [this] { HexDisplayExport::exportListing(this, textSource()); });
    commands().onCommand(CommandId::FilePrint, [this] { print(); });
    commands().onCommand(CommandId::FilePrintPreview, [this] { printPreview(); });
    commands().onCommand(CommandId::GoTo, [this] { goTo(); });
    commands().onCommand(CommandId::SelectBytes, [this] { selectBytes(); });
    connect(&m_model, &ByteModel::changed, this, &HexView::onModelChanged);
    setColorLayer(&m_markLayer);
}

HexView::~HexView() = default;

void HexView::onModelChanged(const ByteChange& change)
{
    if (change.kind != ByteChange::Kind::Appended)
        m_typing.bytesChanged();  // bytes added at the end leave a half-typed byte alone
    if (!m_listing)
        return;  // not shown yet: the initial update renders the bytes as they are then
    switch (change.kind) {
    case ByteChange::Kind::InPlace:
        RefreshBytes(change.offset, change.last());
        break;
    case ByteChange::Kind::Appended:
        showAppendedBytes(change.offset + change.count);
        break;
    case ByteChange::Kind::Length:
        onUpdate();
        break;
    }
}

void HexView::showAppendedBytes(qint64 byteCount)
{
    // A listing made after the append already counts the bytes: nothing grows.
    const TextRange changed = m_listing->bytesAppended(byteCount);
    if (changed.start == changed.end)
        return;
    endPosition() = EndPosition::of(m_listing->byteCount());
    textAppended(changed);
}

void HexView::RenderListing()
{
    WaitCursor wait;
    m_marks->clear();
    m_listing = std::make_shared<HexListingText>(m_prefix, m_model);
    endPosition() = EndPosition::of(m_listing->byteCount());
    setTextSource(m_listing);
}

void HexView::UnderlineHeader()
{
    for (int byteIndex = 0; byteIndex < HexGeometry::kBytesPerLine; ++byteIndex) {
        const TextPos label = m_headerStart + HexGeometry::firstDigitColumn(byteIndex);
        underlineRange({label, label + 2});
    }
    underlineRange({m_headerStart + HexGeometry::kFirstCharColumn,
                    m_headerStart + HexGeometry::kFirstCharColumn + HexGeometry::kBytesPerLine});
}

ByteRange HexView::SelectionToByteRange()
{
    return m_layout.SelectionToByteRange(selection(), endPosition());
}

TextRange HexView::SelectionToTextRange() const
{
    return m_layout.SelectionToTextRange(selection());
}

ByteOffset HexView::InsertionOffsetOfCaret() const
{
    return m_layout.InsertionOffsetOfCaret(selection());
}

void HexView::RefreshByte(ByteOffset offset)
{
    RefreshBytes(offset, offset);
}

void HexView::RefreshBytes(ByteOffset first, ByteOffset last)
{
    // The listing reads the bytes live: nothing to rewrite, only to repaint.
    refreshRange(m_listing->bytesChanged(first, last));
}

void HexView::markBytes(ByteOffset first, ByteOffset last, Rgb color)
{
    m_marks->color(std::min(first, last), std::max(first, last), color);
    showMarks(std::min(first, last), std::max(first, last));
}

void HexView::showMarks(ByteOffset first, ByteOffset last)
{
    colorLayerChanged(m_markLayer.textOfBytes(first, last));
}

void HexView::ColorByteRange(ByteOffset first, ByteOffset last, const QString& colorName)
{
    if (markState().marking == 0)
        return;
    markBytes(first, last, ColorFromName(colorName));
}

void HexView::ClearByteRange(ByteOffset first, ByteOffset last)
{
    if (markState().marking == 0)
        return;
    markBytes(first, last, kDefaultTextColor);
}

void HexView::ClearAllMarks()
{
    // The caret and the scroll position stay where the user left them.
    m_marks->clear();
    colorLayerChanged({0, textLength()});
}

void HexView::MarkSelection(const QString& colorName)
{
    const TextRange cells = SelectionToTextRange();
    const ByteOffset first = std::max<ByteOffset>(m_layout.OffsetOfPosition(cells.start), 0);
    const ByteOffset last = std::max<ByteOffset>(m_layout.OffsetOfPosition(cells.end), 0);
    if (first >= m_model.size())
        return;
    markBytes(first, std::min(last, m_model.size() - 1), ColorFromName(colorName));
    syncModifiedFlag();
}

void HexView::onInitialUpdate()
{
    onUpdate();
    setSelection(m_layout.initialCaret(), m_layout.initialCaret());
}

void HexView::onUpdate()
{
    WaitCursor wait;
    setReadOnly(true);
    RenderListing();
    UnderlineHeader();
    syncModifiedFlag();
}

void HexView::onActivateView(bool active)
{
    if (m_findWindow)
        m_findWindow->setVisible(active);
}

void HexView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    QChar ch;
    if (event->key() == Qt::Key_Backspace)
        ch = QLatin1Char('\b');
    else if (event->text().size() == 1)
        ch = event->text().front();
    if (plain && !ch.isNull() && HandleChar(ch))
        event->accept();
    else
        ListingControl::keyPressEvent(event);
    syncModifiedFlag();
}

bool HexView::HandleChar(QChar ch)
{
    if (ch == QLatin1Char(' '))
        return placeCaret(CaretSteps::forward(m_layout, selection().end, endPosition()));
    if (ch == QLatin1Char('\b'))
        return placeCaret(CaretSteps::backward(m_layout, selection().end, endPosition()));
    if (FieldText::isHexDigit(ch))
        return typeDigit(ch);
    return false;
}

bool HexView::AdvanceCaret()
{
    return placeCaret(CaretSteps::forward(m_layout, selection().end, endPosition()));
}

bool HexView::placeCaret(std::optional<TextPos> pos)
{
    if (!pos)
        return false;
    setSelection(*pos, *pos);
    scrollCaretIntoView();
    return true;
}

bool HexView::typeDigit(QChar ch)
{
    if (!canChangeBytes())
        return false;  // typing waits for a mark, a transfer or a comparison like every edit
    const TextRange sel = selection();
    if (sel.end - sel.start > 1)
        return false;
    const int digit = HexLayout::DigitOfPosition(m_layout.SplitPosition(sel.start), endPosition());
    if (digit < 0)
        return false;
    const ByteOffset offset = m_layout.OffsetOfPosition(sel.start);
    const std::uint8_t nibble = std::uint8_t(QString(ch).toUInt(nullptr, 16));
    const std::uint8_t old = m_model.byteAt(offset);
    const std::uint8_t value = digit == 0 ? std::uint8_t((nibble << 4) | (old & 0x0F))
                                          : std::uint8_t((old & 0xF0) | nibble);
    // The model's change notice shows the byte in every view of the buffer.
    storeTypedByte(offset, digit, value);
    setSelection(sel.start + 1, sel.start + 1);
    scrollCaretIntoView();
    return digit == 1 ? AdvanceCaret() : true;
}

void HexView::print()
{
    QPrinter& printer = ListingPrinter::sharedPrinter();
    if (!Prompter::instance().choosePrinter(this, printer, Prompter::PrinterDialog::Print))
        return;
    WaitCursor wait;
    if (!ListingPrinter::print(*this, printer)) {
        const QString target = printer.outputFileName().isEmpty() ? QStringLiteral("the printer ") + printer.printerName()
                                                                  : QStringLiteral("the file ") + printer.outputFileName();
        Prompter::error(this, QStringLiteral("Fail to print to %1").arg(target));
    }
}

void HexView::printPreview()
{
    auto* preview = new QPrintPreviewDialog(&ListingPrinter::sharedPrinter(), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { ListingPrinter::print(*this, *printer); });
    preview->open();
}

void HexView::goTo()
{
    GoToDialog dialog(m_model.size(), 0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    selectByteCells(dialog.address(), dialog.address());
}

void HexView::selectBytes()
{
    const ByteRange range = SelectionToByteRange();
    AddressRangeDialog dialog(RangeDialogKind::SelectBytes, m_model.size(), range.first, range.last, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    selectByteCells(std::min(dialog.start(), dialog.end()), std::max(dialog.start(), dialog.end()));
}

void HexView::storeTypedByte(ByteOffset offset, int digit, std::uint8_t value)
{
    if (m_typing.store(history(), offset, digit, value))
        setBytesChanged(true);
}

void HexView::selectEditRange(EditRange range)
{
    const TextPos first = m_layout.HexPositionOfOffset(range.offset).first;
    if (range.count == 0)
        setSelection(first, first);
    else
        selectByteCells(range.offset, range.offset + range.count - 1);
    scrollCaretIntoView();
}

void HexView::selectByteCells(ByteOffset first, ByteOffset last)
{
    setSelection(m_layout.HexPositionOfOffset(first).first, m_layout.HexPositionOfOffset(last).second + 1);
    scrollCaretIntoView();
}
