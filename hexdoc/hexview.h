#pragma once

#include <QByteArray>
#include <QPointer>

#include "bytemodel/bytemodel.h"
#include "byteops/bytetyping.h"
#include "byteops/editrange.h"
#include "hexdoc/byteeditcommands.h"
#include "hexdoc/bytemarklayer.h"
#include "hexdoc/bytemarks.h"
#include "hexdoc/hexlayout.h"
#include "hexdoc/markengine.h"
#include "listing/listingcontrol.h"
#include "docview/view.h"

#include <memory>
#include <optional>

class EditHistory;
class HexListingText;

/// The behaviour every hex view shares: the listing of a byte buffer in a
/// listing control, its rendering and in-place refresh, and the conversions
/// between the selection and byte offsets. Views differ in the prefix (the
/// text before data line 0) and in the buffer they show.
///
/// The view follows its byte model: an in-place change repaints the lines of
/// the changed bytes, an append grows the listing where it stands (caret,
/// selection, scroll position and marks stay), any other change of length
/// renders the listing anew.
class HexView : public ListingControl, public View {
    Q_OBJECT

public:
    /// headerStart is the position of the header line within the prefix.
    HexView(Document* document, ByteModel& model, QByteArray prefix, TextPos headerStart, QWidget* parent = nullptr);
    ~HexView() override;

    const HexLayout& layout() const { return m_layout; }
    ByteModel& model() const { return m_model; }
    virtual EndPosition& endPosition() = 0;
    /// The mark state of the view's document, shared by its panes.
    virtual MarkState& markState() = 0;
    /// Sets the framework's modified flag back to the bytes-changed flag.
    virtual void syncModifiedFlag() = 0;
    /// The undo history of the view's bytes.
    virtual EditHistory& history() = 0;
    /// Sets the bytes-changed flag (and the framework's modified flag with it).
    virtual void setBytesChanged(bool changed) = 0;
    /// False while something forbids changing the bytes (a mark, a transfer).
    virtual bool canChangeBytes() const = 0;
    /// Stores a byte typed as its first (0) or second (1) digit through the
    /// history; a byte typed over with its own value changes nothing.
    void storeTypedByte(ByteOffset offset, int digit, std::uint8_t value);
    /// Selects the digits of the bytes of range, or puts the caret on the
    /// first digit of its byte when it is empty.
    void selectEditRange(EditRange range);

    void RenderListing();
    void UnderlineHeader();
    ByteRange SelectionToByteRange();
    TextRange SelectionToTextRange() const;
    ByteOffset InsertionOffsetOfCaret() const;
    void RefreshByte(ByteOffset offset);
    /// Shows bytes first..last anew where they stand: their lines are
    /// repainted from the model, their marks stay.
    void RefreshBytes(ByteOffset first, ByteOffset last);

    /// Byte marks: a colour on each byte's two digits and character cell,
    /// kept by in-place changes and dropped by every new rendering.
    void markBytes(ByteOffset first, ByteOffset last, Rgb color);
    Rgb byteMarkAt(ByteOffset offset) const { return m_marks->colorAt(offset); }
    /// The marks, shared with a mark worker that colours into them.
    std::shared_ptr<ByteMarks> sharedMarks() const { return m_marks; }
    /// Repaints the marks of bytes first..last after a worker coloured them.
    void showMarks(ByteOffset first, ByteOffset last);

    /// Colours bytes first..last (either order) while a mark runs.
    void ColorByteRange(ByteOffset first, ByteOffset last, const QString& colorName);
    void ClearByteRange(ByteOffset first, ByteOffset last);
    void ClearAllMarks();
    /// Colours the selected bytes (the Find window's Mark Select).
    void MarkSelection(const QString& colorName);

    /// Overwrites half a byte with a typed hex digit, or steps the caret for
    /// Space and Backspace; returns whether it dealt with the character.
    bool HandleChar(QChar ch);
    /// Moves the caret one digit position forward; returns whether it moved.
    bool AdvanceCaret();

    /// The view's Find window, shown only while the view is active.
    void setFindWindow(QWidget* window) { m_findWindow = window; }
    QWidget* findWindow() const { return m_findWindow; }

    QWidget* widget() override { return this; }
    void onInitialUpdate() override;
    void onUpdate() override;
    void onActivateView(bool active) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onModelChanged(const ByteChange& change);
    /// The model grew to byteCount bytes at its end.
    void showAppendedBytes(qint64 byteCount);
    bool typeDigit(QChar ch);
    bool placeCaret(std::optional<TextPos> pos);
    void print();
    void printPreview();
    void goTo();
    void selectBytes();
    /// Selects both digits of every byte from first to last.
    void selectByteCells(ByteOffset first, ByteOffset last);

    ByteModel& m_model;
    std::shared_ptr<HexListingText> m_listing;
    QByteArray m_prefix;
    TextPos m_headerStart;
    HexLayout m_layout;
    std::shared_ptr<ByteMarks> m_marks = std::make_shared<ByteMarks>();
    ByteMarkLayer m_markLayer{m_layout, *m_marks};
    MarkEngine m_markEngine{*this};
    ByteEditCommands m_editCommands{*this};
    ByteTyping m_typing;
    QPointer<QWidget> m_findWindow;
};
