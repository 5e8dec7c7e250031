#include "hexdoc/byteeditcommands.h"

#include <QDialog>

#include <algorithm>

#include "byteops/addressrangedialog.h"
#include "byteops/bitwiseops.h"
#include "byteops/bitwiseshiftdialog.h"
#include "byteops/byteedits.h"
#include "byteops/clipboardtext.h"
#include "byteops/edithistory.h"
#include "byteops/editmessages.h"
#include "byteops/globalbytebuffer.h"
#include "byteops/insertbytesdialog.h"
#include "byteops/maskbytesdialog.h"
#include "byteops/pastebytesdialog.h"
#include "byteops/replacebytesdialog.h"
#include "hexdoc/hexview.h"
#include "marking/ccolorcombobox.h"
#include "marking/colorpalette.h"
#include "prompt/prompter.h"
#include "prompt/statusmessage.h"
#include "prompt/waitcursor.h"

ByteEditCommands::ByteEditCommands(HexView& view)
    : m_view(view)
{
    addCommands();
}

void ByteEditCommands::addCommands()
{
    CommandMap& map = m_view.commands();
    map.onCommand(CommandId::CopyBytes, [this] { copyBytes(); });
    map.onCommand(CommandId::CutBytes, [this] { cutOrDelete(true); });
    map.onCommand(CommandId::DeleteBytes, [this] { cutOrDelete(false); });
    map.onCommand(CommandId::PasteBytes, [this] { pasteBytes(); });
    map.onCommand(CommandId::InsertBytes, [this] { insertBytes(); });
    map.onCommand(CommandId::ReplaceBytes, [this] { replaceBytes(); });
    map.onCommand(CommandId::ReverseSeq, [this] { reverseSeq(); });
    map.onCommand(CommandId::BitwiseShift, [this] { shift(); });
    map.onCommand(CommandId::BitwiseMask, [this] { mask(); });
    map.onCommand(CommandId::OnesComplement, [this] { complement(false); });
    map.onCommand(CommandId::TwosComplement, [this] { complement(true); });
    map.onCommand(CommandId::Find, [this] { find(); });
    map.onCommand(CommandId::EditUndo, [this] { undoOrRedo(false); });
    map.onCommand(CommandId::EditRedo, [this] { undoOrRedo(true); });
    map.enableWhen(CommandId::EditUndo, [this] { return m_view.canChangeBytes() && m_view.history().canUndo(); });
    map.enableWhen(CommandId::EditRedo, [this] { return m_view.canChangeBytes() && m_view.history().canRedo(); });
}

void ByteEditCommands::copyBytes()
{
    const ByteRange range = m_view.SelectionToByteRange();
    AddressRangeDialog dialog(RangeDialogKind::CopyBytes, m_view.model().size(), range.first, range.last, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    putOnClipboard(dialog.start(), dialog.end(), EditMessages::Action::Copy);
}

bool ByteEditCommands::putOnClipboard(ByteOffset start, ByteOffset end, EditMessages::Action action)
{
    const EditRange block = ByteEdits::blockOf(start, end);
    if (!GlobalByteBuffer::put(m_view.model(), block.offset, block.count)) {
        Prompter::error(&m_view, EditMessages::refusal(action, block.count, EditStep::Outcome::NoMemory));
        return false;
    }
    if (!ClipboardText::fits(block.count))
        StatusMessage::show(&m_view, EditMessages::copiedWithoutText());
    return true;
}

void ByteEditCommands::cutOrDelete(bool cut)
{
    const ByteRange range = m_view.SelectionToByteRange();
    AddressRangeDialog dialog(cut ? RangeDialogKind::CutBytes : RangeDialogKind::DeleteBytes, m_view.model().size(),
                              range.first, range.last, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    if (cut && !putOnClipboard(dialog.start(), dialog.end(), EditMessages::Action::Cut))
        return;
    finish(ByteEdits::removeBlock(m_view.history(), dialog.start(), dialog.end(), undoLossQuestion()),
           Placement::CaretAtLowByte);
}

void ByteEditCommands::pasteBytes()
{
    PasteBytesDialog dialog(m_view.model().size(), m_view.InsertionOffsetOfCaret(), &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    qint64 count = 0;
    std::optional<ByteBuffer> run = GlobalByteBuffer::get(&count);
    if (!run) {
        Prompter::error(&m_view, EditMessages::refusal(EditMessages::Action::Paste, count, EditStep::Outcome::NoMemory));
        return;
    }
    // An empty run (the clipboard holds no bytes of ours) is a change of no bytes, like Insert of 0: one undo step.
    finish(ByteEdits::insertRun(m_view.history(), dialog.start(), std::move(*run), undoLossQuestion()),
           Placement::PastedRun);
}

void ByteEditCommands::insertBytes()
{
    InsertBytesDialog dialog(m_view.model().size(), m_view.InsertionOffsetOfCaret(), &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    EditResult result = ByteEdits::insertFill(m_view.history(), dialog.start(), dialog.count(), dialog.value());
    result.selection = {dialog.start(), 1};  // the two digits of the first inserted byte
    finish(result, Placement::Result);
}

void ByteEditCommands::replaceBytes()
{
    const ByteRange range = m_view.SelectionToByteRange();
    ReplaceBytesDialog dialog(m_view.model().size(), range.first, range.last, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    const TextPos caret = m_view.selection().start;
    // Replacing renders the listing anew: the marks go as with the other edits.
    m_view.ClearAllMarks();
    finish(ByteEdits::replaceValue(m_view.history(), dialog.start(), dialog.end(), dialog.oldValue(),
                                   dialog.newValue(), undoLossQuestion()),
           Placement::Kept, {caret, caret});
}

void ByteEditCommands::reverseSeq()
{
    const ByteRange range = m_view.SelectionToByteRange();
    AddressRangeDialog dialog(RangeDialogKind::ReverseBytes, m_view.model().size(), range.first, range.last, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    const TextRange before{m_view.anchorPosition(), m_view.caretPosition()};
    finish(ByteEdits::reverseBlock(m_view.history(), dialog.start(), dialog.end()), Placement::Kept, before);
}

void ByteEditCommands::shift()
{
    const ByteRange range = m_view.SelectionToByteRange();
    BitwiseShiftDialog dialog(m_view.model().size(), range.first, range.last, m_shift, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    m_shift = dialog.choice();
    finish(BitwiseOps::shift(m_view.history(), dialog.start(), dialog.end(), m_shift, undoLossQuestion()),
           Placement::Result);
}

void ByteEditCommands::mask()
{
    const ByteRange range = m_view.SelectionToByteRange();
    MaskBytesDialog dialog(m_view.model().size(), range.first, range.last, m_mask, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    m_mask = dialog.choice();
    finish(BitwiseOps::mask(m_view.history(), dialog.start(), dialog.end(), m_mask, undoLossQuestion()),
           Placement::Result);
}

void ByteEditCommands::complement(bool twos)
{
    const ByteRange range = m_view.SelectionToByteRange();
    AddressRangeDialog dialog(twos ? RangeDialogKind::TwosComplement : RangeDialogKind::OnesComplement,
                              m_view.model().size(), range.first, range.last, &m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    EditHistory& history = m_view.history();
    finish(twos ? BitwiseOps::twosComplement(history, dialog.start(), dialog.end())
                : BitwiseOps::onesComplement(history, dialog.start(), dialog.end()),
           Placement::Result);
}

void ByteEditCommands::undoOrRedo(bool redo)
{
    WaitCursor wait;
    EditHistory& history = m_view.history();
    const EditResult result = redo ? history.redo() : history.undo();
    if (!result.done) {
        if (!result.refusal.isEmpty())
            Prompter::error(&m_view, result.refusal);
        return;
    }
    // Back at the saved bytes, the document is unmodified again.
    m_view.setBytesChanged(!history.isAtSavedState());
    m_view.selectEditRange(result.selection);
}

EditHistory::UndoLossCheck ByteEditCommands::undoLossQuestion()
{
    return [this](const EditStep& step) {
        // The question waits for the user, not the work: the normal cursor while it shows.
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        const Prompter::Answer answer = Prompter::instance().message(
            &m_view, QStringLiteral("Vellmar"), EditMessages::cannotUndoQuestion(step.count(), m_view.history().memoryLimit()),
            Prompter::Icon::Warning, Prompter::Buttons::YesNo);
        QGuiApplication::restoreOverrideCursor();
        return answer == Prompter::Answer::Yes;
    };
}

void ByteEditCommands::finish(const EditResult& result, Placement placement, TextRange keptSelection)
{
    if (!result.done) {
        // Empty when the user declined the edit.
        if (!result.refusal.isEmpty())
            Prompter::error(&m_view, result.refusal);
        return;
    }
    m_view.setBytesChanged(true);
    switch (placement) {
    case Placement::Result:
        m_view.selectEditRange(result.selection);
        break;
    case Placement::PastedRun: {
        // From the first pasted byte's first digit to the first digit of the byte after the run.
        const HexLayout& layout = m_view.layout();
        const EditRange run = result.selection;
        m_view.setSelection(layout.HexPositionOfOffset(run.offset).first,
                            layout.HexPositionOfOffset(run.offset + run.count).first);
        m_view.scrollCaretIntoView();
        break;
    }
    case Placement::CaretAtLowByte:
        m_view.selectEditRange({result.selection.offset, 0});
        break;
    case Placement::Kept:
        m_view.setSelection(keptSelection.start, keptSelection.end);
        break;
    }
}

void ByteEditCommands::find()
{
    if (m_findWindow) {
        m_findWindow->activateWindow();
        m_findWindow->raise();
        m_findWindow->setFocus();
        return;
    }
    m_findWindow = new CFindBytesDlg(m_view.model(), &m_view, [](QWidget* parent) { return new CColorComboBox(parent); });
    QObject::connect(m_findWindow, &CFindBytesDlg::findNext, &m_view,
                     [this](const CFindBytesDlg::Search& search) { showFound(search); });
    QObject::connect(m_findWindow, &CFindBytesDlg::markSelection, &m_view,
                     [this](const QString& colorName) { m_view.MarkSelection(colorName); });
    QObject::connect(m_findWindow, &CFindBytesDlg::closing, &m_view, [this] { m_view.setFindWindow(nullptr); });
    m_view.setFindWindow(m_findWindow);
    m_findWindow->showAtScreenCentre();
    m_view.syncModifiedFlag();
}

void ByteEditCommands::showFound(const CFindBytesDlg::Search& search)
{
    if (search.foundAt != kNoOffset) {
        const ByteOffset last = search.foundAt + search.length - 1;
        if (search.autoMark)
            m_view.markBytes(search.foundAt, last, ColorFromName(search.colorName));
        m_view.selectEditRange({search.foundAt, search.length});
    }
    StatusMessage::show(&m_view, search.foundAt == kNoOffset ? EditMessages::notFound() : QString());
    m_view.syncModifiedFlag();
}
