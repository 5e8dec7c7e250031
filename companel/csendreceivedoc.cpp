#include "companel/csendreceivedoc.h"

#include <QApplication>

#include "companel/ccompanelpropertiesdlg.h"
#include "docview/view.h"
#include "marking/markclosequestion.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"
#include "safewrite/safefilewriter.h"
#include "serial/driverinforeport.h"
#include "serial/portcommands.h"
#include "serial/serialmessages.h"
#include "serial/serialports.h"

namespace {

constexpr std::size_t kNewSendBufferSize = 32;

/// The words of each pane's save command.
constexpr const char* kSaveTitles[] = {"Save Send Pane Data As", "Save Receive Pane Data As"};

/// Commands that wait only for a mark.
constexpr CommandId kIdleMarkCommands[] = {
    CommandId::FileNew, CommandId::FileOpen, CommandId::Compare, CommandId::FilePrintSetup,
    CommandId::MaxComPort, CommandId::ComPanel, CommandId::ImportHexValuesText,
};

/// Commands that wait for a mark and for both transfers.
constexpr CommandId kIdleCommands[] = {CommandId::CurrentSettings, CommandId::ComPanelProperties,
                                       CommandId::SetDefault};

}  // namespace

CSendReceiveDoc::CSendReceiveDoc(DocTemplate& docTemplate, SerialPorts& ports)
    : Document(docTemplate)
    , m_ports(ports)
    , m_portShare(m_port, ports.usage())
    , m_sender({this, m_portShare, [this] { return dialogParent(); }, [this] { emit commandStateChanged(); },
                SerialMessages::SendWindow::ComPanel})
    , m_receiver({this, m_portShare, [this] { return dialogParent(); }, [this] { emit commandStateChanged(); }})
{
    m_port.settings = m_ports.defaults();
    addCommands();
}

CSendReceiveDoc::~CSendReceiveDoc()
{
    m_sender.stopAndWait();
    m_receiver.stopAndWait();
    m_markState.stop();
}

void CSendReceiveDoc::addCommands()
{
    CommandMap& map = commands();
    for (CommandId id : kIdleMarkCommands)
        map.enableWhen(id, [this] { return m_markState.isIdle(); });
    for (CommandId id : kIdleCommands)
        map.enableWhen(id, [this] { return m_markState.isIdle() && !isTransferring(); });
    // The panes save their own buffers; the document has no file of its own.
    map.enableWhen(CommandId::FileSave, [] { return false; });
    map.enableWhen(CommandId::FileSaveAs, [] { return false; });
    map.onCommand(CommandId::SaveSendPaneDataAs, [this] { savePaneDataAs(ComPane::Send); });
    map.enableWhen(CommandId::SaveSendPaneDataAs, [this] { return m_markState.isIdle() && !isSending(); });
    map.onCommand(CommandId::SaveReceivePaneDataAs, [this] { savePaneDataAs(ComPane::Receive); });
    map.enableWhen(CommandId::SaveReceivePaneDataAs, [this] { return m_markState.isIdle() && !isReceiving(); });
    map.onCommand(CommandId::ComPanelProperties, [this] { showProperties(); });
    map.onCommand(CommandId::CurrentSettings,
                  [this] { PortCommands::currentSettings(m_port.settings, m_ports, dialogParent()); });
    map.onCommand(CommandId::ComDriverInfo,
                  [this] { ShowComDriverInfo(m_port.settings.portName, m_ports, dialogParent()); });
}

bool CSendReceiveDoc::canChangeBytes(ComPane pane) const
{
    const bool transferring = pane == ComPane::Send ? isSending() : isReceiving();
    return m_markState.isIdle() && !transferring;
}

void CSendReceiveDoc::startSend()
{
    if (m_displayType == SendDisplayType::Hex) {
        m_sender.start(bytes(ComPane::Send));
        return;
    }
    m_sentText.assign(ByteBuffer(m_sendText.begin(), m_sendText.end()));
    m_sender.start(m_sentText);
}

void CSendReceiveDoc::startReceive()
{
    const bool replace = m_startMode == ReceiveStartMode::Replace;
    m_receiver.start(bytes(ComPane::Receive), replace);
    // The bytes the history's steps were made on are gone: an undo would change the new ones.
    if (replace && isReceiving())
        history(ComPane::Receive).clear();
}

void CSendReceiveDoc::showProperties()
{
    CComPanelPropertiesDlg dialog(m_displayType, m_startMode, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SendDisplayType before = m_displayType;
    m_displayType = dialog.displayType();
    m_startMode = dialog.startMode();
    if (m_displayType != before)
        emit displayTypeChanged();
}

void CSendReceiveDoc::savePaneDataAs(ComPane pane)
{
    Prompter::FileRequest request;
    request.title = QString::fromLatin1(kSaveTitles[std::size_t(pane)]);
    request.filter = QStringLiteral("All files (*.*)");
    const QString path = Prompter::instance().saveFileName(dialogParent(), request);
    if (!path.isEmpty())
        writePane(pane, path);
}

bool CSendReceiveDoc::writePane(ComPane pane, const QString& path)
{
    WaitCursor wait;
    const ByteModel& from = bytes(pane);
    SafeFileWriter writer(path);
    if (!writer.open(from.size())) {
        Prompter::error(dialogParent(),
                        QStringLiteral("Failed to open file %1\nCause: %2").arg(path, writer.errorString()));
        return false;
    }
    const bool written = from.forEachChunk(0, from.size(),
                                           [&writer](ByteOffset, std::span<const std::uint8_t> chunk) {
                                               return writer.write(chunk.data(), chunk.size());
                                           })
                         && writer.commit();
    if (!written)
        Prompter::error(dialogParent(),
                        QStringLiteral("Failed to write file %1\nCause: %2").arg(path, writer.errorString()));
    return written;
}

bool CSendReceiveDoc::onNewDocument()
{
    if (!Document::onNewDocument())
        return false;
    bytes(ComPane::Send).assign(ByteBuffer(kNewSendBufferSize, 0));
    setModifiedFlag(true);
    return true;
}

bool CSendReceiveDoc::onOpenDocument(const QString&)
{
    return false;  // a Com Panel is only ever made new
}

bool CSendReceiveDoc::onSaveDocument(const QString&)
{
    return false;  // the panes are saved by their own commands
}

bool CSendReceiveDoc::saveModified()
{
    // The port closes with the last transfer stopped here.
    if (!askToStopWork())
        return false;
    // The framework's own question about saving never comes: the panes have their save commands.
    setModifiedFlag(false);
    return true;
}

bool CSendReceiveDoc::askToStopWork()
{
    if (isSending()) {
        if (!Prompter::stopQuestion(dialogParent(), SerialMessages::stillSendingQuestion()))
            return false;
        m_sender.stopAndWait();
    }
    if (isReceiving()) {
        if (!Prompter::stopQuestion(dialogParent(), SerialMessages::stillReceivingQuestion()))
            return false;
        m_receiver.stopAndWait();
    }
    if (!stopMarkingToClose(m_markState, dialogParent()))
        return false;
    return true;
}

QWidget* CSendReceiveDoc::dialogParent() const
{
    return views().empty() ? QApplication::activeWindow() : views().front()->widget();
}
