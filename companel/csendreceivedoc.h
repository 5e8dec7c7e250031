#pragma once

#include <QByteArray>

#include <array>

#include "bytemodel/bytemodel.h"
#include "byteops/edithistory.h"
#include "docview/document.h"
#include "hexdoc/hexlayout.h"
#include "marking/markstate.h"
#include "serial/portconnection.h"
#include "serial/portreceiver.h"
#include "serial/portsender.h"
#include "serial/portshare.h"

class SerialPorts;

/// The two panes of a Com Panel: the bytes to send above, the bytes received below.
enum class ComPane { Send = 0, Receive = 1 };
/// How the Send Pane is edited: as a hex listing of the send buffer, or as plain text.
enum class SendDisplayType { Hex = 0, Text = 1 };
/// Whether a new receive empties the Receive Pane first or continues after its bytes.
enum class ReceiveStartMode { Replace = 0, Append = 1 };

/// The document of a Com Panel: the send buffer (32 zero bytes at first),
/// the send text of the Text display type, the receive buffer, the window's
/// port, the transfers on it, the two display properties and the mark state
/// its panes share; the two save commands and the close questions.
class CSendReceiveDoc : public Document {
    Q_OBJECT

public:
    CSendReceiveDoc(DocTemplate& docTemplate, SerialPorts& ports);
    ~CSendReceiveDoc() override;

    ByteModel& bytes(ComPane pane) { return buffer(pane).bytes; }
    EditHistory& history(ComPane pane) { return buffer(pane).history; }
    EndPosition& endPosition(ComPane pane) { return buffer(pane).endPosition; }
    MarkState& markState() { return m_markState; }

    const QByteArray& sendText() const { return m_sendText; }
    void setSendText(QByteArray text) { m_sendText = std::move(text); }
    SendDisplayType displayType() const { return m_displayType; }
    ReceiveStartMode startMode() const { return m_startMode; }

    bool isSending() const { return m_sender.isSending(); }
    bool isReceiving() const { return m_receiver.isReceiving(); }
    bool isTransferring() const { return isSending() || isReceiving(); }
    /// Neither a mark nor a transfer of that pane's buffer runs.
    bool canChangeBytes(ComPane pane) const;
    void startSend();
    void stopSend() { m_sender.stop(); }
    /// Start Receive: into the receive buffer, emptied first in Replace mode.
    void startReceive();
    void stopReceive() { m_receiver.stop(); }

    /// Save Send Pane Data As / Save Receive Pane Data As.
    void savePaneDataAs(ComPane pane);

    bool onNewDocument() override;
    bool onOpenDocument(const QString& path) override;
    bool onSaveDocument(const QString& path) override;
    bool saveModified() override;

signals:
    /// The Send Pane's display type changed in Com Panel Properties.
    void displayTypeChanged();

private:
    struct PaneBuffer {
        ByteModel bytes;
        EditHistory history{bytes};
        EndPosition endPosition;
    };
    PaneBuffer& buffer(ComPane pane) { return m_buffers[std::size_t(pane)]; }

    void addCommands();
    void showProperties();
    bool writePane(ComPane pane, const QString& path);
    bool askToStopWork();
    QWidget* dialogParent() const;

    SerialPorts& m_ports;
    PortConnection m_port;
    PortShare m_portShare;
    std::array<PaneBuffer, 2> m_buffers;
    QByteArray m_sendText;
    // What a send in the Text display type sends: the text as it stood at Start Send.
    ByteModel m_sentText;
    SendDisplayType m_displayType = SendDisplayType::Hex;
    ReceiveStartMode m_startMode = ReceiveStartMode::Replace;
    // After the bytes and the port: the workers use them until stopped.
    PortSender m_sender;
    PortReceiver m_receiver;
    // Last: the mark worker reads the bytes above until it is stopped.
    MarkState m_markState;
};
