#pragma once

#include <QPointer>

#include "byteops/cfindbytesdlg.h"
#include "byteops/edithistory.h"
#include "byteops/editmessages.h"
#include "byteops/editresult.h"
#include "byteops/maskchoice.h"
#include "byteops/shiftchoice.h"
#include "listing/textsource.h"

class HexView;

/// The Edit and Operations menus of one hex view: the seven byte editing
/// commands, the four bitwise operations, Find Bytes, Undo and Redo. Every
/// change goes through the view's edit history, so it can be undone; one
/// whose undo would not fit the history is made only once the user agrees.
class ByteEditCommands {
public:
    explicit ByteEditCommands(HexView& view);
    ByteEditCommands(const ByteEditCommands&) = delete;
    ByteEditCommands& operator=(const ByteEditCommands&) = delete;

private:
    /// Where the selection goes after a change.
    enum class Placement { Result, PastedRun, CaretAtLowByte, Kept };

    void addCommands();
    void copyBytes();
    /// Puts the block on the global byte buffer; says why not when memory
    /// cannot hold it, and on the status bar when it is too large to go
    /// there as text too.
    bool putOnClipboard(ByteOffset start, ByteOffset end, EditMessages::Action action);
    void cutOrDelete(bool cut);
    void pasteBytes();
    void insertBytes();
    void replaceBytes();
    void reverseSeq();
    void shift();
    void mask();
    void complement(bool twos);
    void undoOrRedo(bool redo);
    void find();
    void showFound(const CFindBytesDlg::Search& search);
    /// Asks the user, before an edit whose undo cannot be kept, whether to make it.
    EditHistory::UndoLossCheck undoLossQuestion();
    /// The end of every change: a refusal is told, a change flags the
    /// document and places the selection.
    void finish(const EditResult& result, Placement placement, TextRange keptSelection = {});

    HexView& m_view;
    ShiftChoice m_shift;
    MaskChoice m_mask;
    QPointer<CFindBytesDlg> m_findWindow;
};
