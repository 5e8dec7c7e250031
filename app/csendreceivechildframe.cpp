#include "app/csendreceivechildframe.h"

#include "app/cbarredsplitterwnd.h"
#include "companel/creceiveview.h"
#include "companel/csendview.h"

CSendReceiveChildFrame::CSendReceiveChildFrame(CSendReceiveDoc* document, QWidget* parent)
    : TwoPaneChildFrame(document, parent)
    , m_doc(document)
{
    setWidget(splitter());
    addPane(new CSendView(document), QStringLiteral(" Send Pane"));
    addPane(new CReceiveView(document), QStringLiteral(" Receive Pane"));
    addCommands();
}

ComPanelPane* CSendReceiveChildFrame::pane(int row) const
{
    return static_cast<ComPanelPane*>(paneAt(row));
}

void CSendReceiveChildFrame::addCommands()
{
    CommandMap& map = commands();
    map.onCommand(CommandId::StartSend, [this] { m_doc->startSend(); });
    map.enableWhen(CommandId::StartSend, [this] { return !m_doc->isSending() && m_doc->markState().isIdle(); });
    map.onCommand(CommandId::StopSend, [this] { m_doc->stopSend(); });
    map.enableWhen(CommandId::StopSend, [this] { return m_doc->isSending(); });
    map.onCommand(CommandId::StartReceive, [this] { m_doc->startReceive(); });
    map.enableWhen(CommandId::StartReceive, [this] { return !m_doc->isReceiving() && m_doc->markState().isIdle(); });
    map.onCommand(CommandId::StopReceive, [this] { m_doc->stopReceive(); });
    map.enableWhen(CommandId::StopReceive, [this] { return m_doc->isReceiving(); });
}
