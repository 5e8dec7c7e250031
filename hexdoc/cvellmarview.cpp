#include "hexdoc/cvellmarview.h"

#include "hexdoc/cvellmardoc.h"
#include "hexdoc/listingprefixes.h"

namespace {

/// Enabled while no mark is in progress.
constexpr CommandId kIdleMarkCommands[] = {
    CommandId::FileNew, CommandId::FileOpen, CommandId::Compare, CommandId::FilePrint, CommandId::FilePrintSetup,
    CommandId::FileSave, CommandId::FileSaveAs, CommandId::ComPanel, CommandId::ComPanelProperties,
    CommandId::SetDefault, CommandId::MaxComPort, CommandId::ComDriverInfo, CommandId::ImportHexValuesText,
    CommandId::CopyBytes, CommandId::Find, CommandId::GoTo, CommandId::SelectBytes, CommandId::ClearMarks,
    CommandId::ExportHexDisplayText,
};

/// Enabled while no mark is in progress and nothing is being sent.
constexpr CommandId kIdleMarkAndSendCommands[] = {
    CommandId::CurrentSettings, CommandId::CutBytes, CommandId::DeleteBytes, CommandId::InsertBytes,
    CommandId::PasteBytes, CommandId::ReplaceBytes, CommandId::ReverseSeq, CommandId::OnesComplement,
    CommandId::TwosComplement, CommandId::BitwiseMask, CommandId::BitwiseShift, CommandId::StartSend,
};

}  // namespace

CVellmarView::CVellmarView(CVellmarDoc* document, QWidget* parent)
    : HexView(document, document->bytes(), ListingPrefix::plainView(), 0, parent)
    , m_doc(document)
{
    setAccessibleName(QStringLiteral("Hex listing"));
    addEnablingRules();
}

EndPosition& CVellmarView::endPosition()
{
    return m_doc->endPosition();
}

MarkState& CVellmarView::markState()
{
    return m_doc->markState();
}

void CVellmarView::syncModifiedFlag()
{
    m_doc->syncModifiedFlag();
}

EditHistory& CVellmarView::history()
{
    return m_doc->history();
}

void CVellmarView::setBytesChanged(bool changed)
{
    m_doc->setBytesChanged(changed ? 1 : 0);
}

bool CVellmarView::canChangeBytes() const
{
    return !m_doc->isMarkInProgress() && !m_doc->isSending();
}

void CVellmarView::addEnablingRules()
{
    for (CommandId id : kIdleMarkCommands)
        commands().enableWhen(id, [this] { return !m_doc->isMarkInProgress(); });
    for (CommandId id : kIdleMarkAndSendCommands)
        commands().enableWhen(id, [this] { return canChangeBytes(); });
    commands().enableWhen(CommandId::StopSend, [this] { return m_doc->isSending(); });
}
