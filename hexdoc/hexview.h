#pragma once

#include <QByteArray>

#include "hexdoc/bytebuffer.h"
#include "hexdoc/hexlayout.h"
#include "platform/listingcontrol.h"
#include "platform/view.h"

/// The behaviour every hex view shares: the listing of a byte buffer in a
/// listing control, its rendering and in-place refresh, and the conversions
/// between the selection and byte offsets. Views differ in the prefix (the
/// text before data line 0) and in the buffer they show.
class HexView : public ListingControl, public View {
    Q_OBJECT

public:
    /// headerStart is the position of the header line within the prefix.
    HexView(Document* document, QByteArray prefix, TextPos headerStart, QWidget* parent = nullptr);

    const HexLayout& layout() const { return m_layout; }
    virtual ByteBuffer& buffer() = 0;
    virtual EndPosition& endPosition() = 0;
    /// Sets the framework's modified flag back to the bytes-changed flag.
    virtual void syncModifiedFlag() = 0;

    void RenderListing();
    void UnderlineHeader();
    ByteRange SelectionToByteRange();
    TextRange SelectionToTextRange() const;
    ByteOffset InsertionOffsetOfCaret() const;
    void RefreshByte(ByteOffset offset);
    /// Refreshes a run of bytes between one hide and one restore of the selection.
    void RefreshBytes(ByteOffset first, ByteOffset last);

    QWidget* widget() override { return this; }
    void onInitialUpdate() override;
    void onUpdate() override;

private:
    void refreshCells(ByteOffset offset);

    QByteArray m_prefix;
    TextPos m_headerStart;
    HexLayout m_layout;
};
