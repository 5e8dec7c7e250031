#include "companel/companelpane.h"

namespace {

/// The commands that read or change a pane's bytes, its marks and its listing export.
constexpr CommandId kByteCommands[] = {
    CommandId::Find, CommandId::ReplaceBytes, CommandId::ReverseSeq, CommandId::CutBytes, CommandId::CopyBytes,
    CommandId::PasteBytes, CommandId::DeleteBytes, CommandId::InsertBytes, CommandId::SelectBytes, CommandId::GoTo,
    CommandId::BitwiseShift, CommandId::BitwiseMask, CommandId::OnesComplement, CommandId::TwosComplement,
    CommandId::MarkBytes, CommandId::MarkBlocks, CommandId::MarkPatterns, CommandId::MarkUnits, CommandId::ClearMarks,
    CommandId::ExportHexDisplayText, CommandId::EditUndo, CommandId::EditRedo,
};

/// The commands that only read the pane: they wait for its transfer and a mark, never for the display type.
constexpr CommandId kOutputCommands[] = {CommandId::FilePrint, CommandId::FilePrintPreview, CommandId::FileSave};

/// The header line's start in both panes' prefixes.
constexpr TextPos kHeaderStart = 78;

}  // namespace

ComPanelPane::ComPanelPane(CSendReceiveDoc* document, ComPane pane, QByteArray prefix, QWidget* parent)
    : HexView(document, document->bytes(pane), std::move(prefix), kHeaderStart, parent)
    , m_doc(document)
    , m_pane(pane)
{
    commands().onCommand(CommandId::FileSave, [this] { m_doc->savePaneDataAs(m_pane); });
    addEnablingRules();
}

EndPosition& ComPanelPane::endPosition()
{
    return m_doc->endPosition(m_pane);
}

MarkState& ComPanelPane::markState()
{
    return m_doc->markState();
}

void ComPanelPane::syncModifiedFlag()
{
    // The Com Panel stays modified from its creation until it closes.
}

EditHistory& ComPanelPane::history()
{
    return m_doc->history(m_pane);
}

void ComPanelPane::setBytesChanged(bool)
{
}

bool ComPanelPane::canChangeBytes() const
{
    return m_doc->canChangeBytes(m_pane) && byteCommandsAllowed();
}

bool ComPanelPane::byteCommandsAllowed() const
{
    return !transferRuns();
}

bool ComPanelPane::transferRuns() const
{
    return m_pane == ComPane::Send ? m_doc->isSending() : m_doc->isReceiving();
}

void ComPanelPane::addEnablingRules()
{
    // Each command keeps the rule the hex view gave it (the Mark commands'
    // own, Undo's history), within what the pane allows.
    const auto narrow = [this](CommandId id, std::function<bool()> allowed) {
        const CommandMap::Updater* own = commands().updater(id);
        CommandMap::Updater inner = own ? *own : [this](CommandState& state) { state.enabled = markState().isIdle(); };
        commands().onUpdate(id, [inner = std::move(inner), allowed = std::move(allowed)](CommandState& state) {
            inner(state);
            state.enabled = state.enabled && allowed();
        });
    };
    for (CommandId id : kByteCommands)
        narrow(id, [this] { return byteCommandsAllowed(); });
    for (CommandId id : kOutputCommands)
        narrow(id, [this] { return !transferRuns(); });
}
