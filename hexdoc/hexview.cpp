#include "hexdoc/hexview.h"

#include "hexdoc/hexdisplayexport.h"
#include "hexdoc/hexlistingtext.h"
#include "platform/waitcursor.h"

namespace {

/// Restores the selection and shows it again when a refresh is done.
class HiddenSelection {
public:
    explicit HiddenSelection(ListingControl& control)
        : m_control(control)
        , m_anchor(control.anchorPosition())
        , m_caret(control.caretPosition())
    {
        m_control.setSelectionHidden(true);
    }
    ~HiddenSelection()
    {
        m_control.setSelectionHidden(false);
        m_control.setSelection(m_anchor, m_caret);
    }
    HiddenSelection(const HiddenSelection&) = delete;
    HiddenSelection& operator=(const HiddenSelection&) = delete;

private:
    ListingControl& m_control;
    TextPos m_anchor;
    TextPos m_caret;
};

}  // namespace

HexView::HexView(Document* document, QByteArray prefix, TextPos headerStart, QWidget* parent)
    : ListingControl(parent)
    , View(document)
    , m_prefix(std::move(prefix))
    , m_headerStart(headerStart)
    , m_layout(m_prefix.size())
{
    setAcceptDrops(false);  // dropped files go on to the main window, which opens them
    commands().onCommand(CommandId::ExportHexDisplayText,
                         [this] { HexDisplayExport::exportListing(this, textSource()); });
}

void HexView::RenderListing()
{
    WaitCursor wait;
    auto listing = std::make_shared<HexListingText>(m_prefix, buffer());
    endPosition() = EndPosition::of(listing->byteCount());
    setTextSource(std::move(listing));
}

void HexView::UnderlineHeader()
{
    HiddenSelection keep(*this);
    for (int byteIndex = 0; byteIndex < HexGeometry::kBytesPerLine; ++byteIndex) {
        const TextPos label = m_headerStart + HexGeometry::firstDigitColumn(byteIndex);
        setSelection(label, label + 2);
        setSelectionUnderline(true);
    }
    setSelection(m_headerStart + HexGeometry::kFirstCharColumn,
                 m_headerStart + HexGeometry::kFirstCharColumn + HexGeometry::kBytesPerLine);
    setSelectionUnderline(true);
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
    HiddenSelection keep(*this);
    for (ByteOffset offset = first; offset <= last; ++offset)
        refreshCells(offset);
}

void HexView::refreshCells(ByteOffset offset)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::uint8_t byte = buffer()[std::size_t(offset)];
    const HexPositions digits = m_layout.HexPositionOfOffset(offset);
    const char hex[2] = {kDigits[byte >> 4], kDigits[byte & 0x0F]};
    setSelection(digits.first, digits.second + 1);
    replaceSelection(QByteArrayView(hex, 2));
    const TextPos cell = m_layout.CharPositionOfHexPosition(digits.first);
    const char shown = HexGeometry::charCellOf(byte);
    setSelection(cell, cell + 1);
    replaceSelection(QByteArrayView(&shown, 1));
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
