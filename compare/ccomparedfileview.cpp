#include "compare/ccomparedfileview.h"

#include "compare/compareengine.h"
#include "hexdoc/listingprefixes.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"

namespace {

/// Every command a pane carries: disabled while a comparison or a send runs.
constexpr CommandId kPaneCommands[] = {
    CommandId::Find, CommandId::ReplaceBytes, CommandId::ReverseSeq, CommandId::CutBytes, CommandId::CopyBytes,
    CommandId::PasteBytes, CommandId::DeleteBytes, CommandId::InsertBytes, CommandId::SelectBytes, CommandId::GoTo,
    CommandId::BitwiseShift, CommandId::BitwiseMask, CommandId::OnesComplement, CommandId::TwosComplement,
    CommandId::MarkBytes, CommandId::MarkBlocks, CommandId::MarkPatterns, CommandId::MarkUnits, CommandId::ClearMarks,
    CommandId::FindNextDiff, CommandId::FindPrevDiff, CommandId::FindFirstDiff, CommandId::FindLastDiff,
    CommandId::StartSend, CommandId::ExportHexDisplayText, CommandId::EditUndo, CommandId::EditRedo,
};

constexpr Rgb kDifferenceColors[] = {0xFF0000, 0x0000FF};  // File1 red, File2 blue

CompareSide otherSide(CompareSide side)
{
    return side == CompareSide::File1 ? CompareSide::File2 : CompareSide::File1;
}

}  // namespace

CComparedFileView::CComparedFileView(CCompareFilesDoc* document, CompareSide side, QWidget* parent)
    : HexView(document, document->bytes(side), ListingPrefix::comparePane(), 1, parent)
    , m_doc(document)
    , m_side(side)
{
    setAccessibleName(side == CompareSide::File1 ? QStringLiteral("File1 listing") : QStringLiteral("File2 listing"));
    document->setPane(side, this);
    commands().onCommand(CommandId::FindNextDiff, [this] { findDifference(Search::Next); });
    commands().onCommand(CommandId::FindPrevDiff, [this] { findDifference(Search::Previous); });
    commands().onCommand(CommandId::FindFirstDiff, [this] { findDifference(Search::First); });
    commands().onCommand(CommandId::FindLastDiff, [this] { findDifference(Search::Last); });
    commands().onCommand(CommandId::StartSend, [this] { m_doc->startSend(m_side); });
    addEnablingRules();
}

CComparedFileView::~CComparedFileView() = default;

QString CComparedFileView::paneLabel() const
{
    return (m_side == CompareSide::File1 ? QStringLiteral(" File1: ") : QStringLiteral(" File2: "))
           + m_doc->path(m_side);
}

EndPosition& CComparedFileView::endPosition()
{
    return m_doc->endPosition(m_side);
}

MarkState& CComparedFileView::markState()
{
    return m_doc->markState();
}

void CComparedFileView::syncModifiedFlag()
{
    // The framework's modified flag stays clear: the changed flag of each file tells.
}

EditHistory& CComparedFileView::history()
{
    return m_doc->history(m_side);
}

void CComparedFileView::setBytesChanged(bool changed)
{
    if (changed)
        m_doc->setFileChanged(m_side);
}

bool CComparedFileView::canChangeBytes() const
{
    return m_doc->canChangeBytes();
}

bool CComparedFileView::paneCommandsAllowed() const
{
    return !m_doc->isSending() && m_doc->isComparisonIdle();
}

void CComparedFileView::addEnablingRules()
{
    // Each command keeps the rule the hex view gave it (the Mark commands'
    // own, Undo's history), within what the comparison allows.
    for (CommandId id : kPaneCommands) {
        const CommandMap::Updater* own = commands().updater(id);
        CommandMap::Updater inner = own ? *own : [this](CommandState& state) { state.enabled = markState().isIdle(); };
        commands().onUpdate(id, [this, inner = std::move(inner)](CommandState& state) {
            inner(state);
            state.enabled = state.enabled && paneCommandsAllowed();
        });
    }
}

void CComparedFileView::findDifference(Search search)
{
    const ByteModel& file1 = m_doc->bytes(CompareSide::File1);
    const ByteModel& file2 = m_doc->bytes(CompareSide::File2);
    ByteOffset start = 0;
    if (search == Search::Next || search == Search::Previous) {
        start = InsertionOffsetOfCaret();
        if (start < 0 || start >= model().size()) {
            Prompter::error(this, QStringLiteral("Please click to select the byte where you want to start the search "
                                                 "first!"));
            return;
        }
        if (start == m_doc->lastFoundDifference())
            start += search == Search::Next ? 1 : -1;
    }
    WaitCursor wait;
    ByteOffset found = kNoOffset;
    switch (search) {
    case Search::Next:
    case Search::First: found = CompareEngine::findForward(file1, file2, start); break;
    case Search::Previous: found = CompareEngine::findBackward(file1, file2, start); break;
    case Search::Last: found = CompareEngine::findBackward(file1, file2, std::min(file1.size(), file2.size()) - 1); break;
    }
    if (found != kNoOffset)
        showDifference(found);
}

void CComparedFileView::showDifference(ByteOffset offset)
{
    for (CompareSide side : {m_side, otherSide(m_side)}) {
        HexView* pane = m_doc->pane(side);
        if (!pane)
            continue;
        pane->markBytes(offset, offset, kDifferenceColors[std::size_t(side)]);
        pane->selectEditRange({offset, 1});
    }
    m_doc->setLastFoundDifference(offset);
}
