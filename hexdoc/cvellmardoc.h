#pragma once

#include "bytemodel/bytemodel.h"
#include "hexdoc/hexlayout.h"
#include "hexdoc/outsidechangewatch.h"
#include "byteops/edithistory.h"
#include "marking/markstate.h"
#include "docview/document.h"
#include "serial/portconnection.h"
#include "serial/portsender.h"

class SerialPorts;
class View;

/// The plain hex document: the bytes of one file (or of a new or imported
/// byte sequence), its bytes-changed flag, and the mark and send state that
/// other features keep per document.
class CVellmarDoc : public Document {
    Q_OBJECT

public:
    /// ports: the application's defaults and ports in use; importFlag: the
    /// application's request that the next new document be imported.
    CVellmarDoc(DocTemplate& docTemplate, SerialPorts& ports, int& importFlag);
    ~CVellmarDoc() override;

    ByteModel& bytes() { return m_bytes; }
    const ByteModel& bytes() const { return m_bytes; }
    EndPosition& endPosition() { return m_endPosition; }

    /// The truth about modification: 1 when the bytes differ from the file.
    int bytesChanged() const { return m_bytesChanged; }
    void setBytesChanged(int changed);
    /// Sets the framework's modified flag back to the bytes-changed flag,
    /// after anything that changed the listing without changing bytes.
    void syncModifiedFlag() { setModifiedFlag(m_bytesChanged == 1); }

    /// True while a mark command is in progress (the byte-changing commands wait for it).
    bool isMarkInProgress() const { return !m_markState.isIdle(); }
    MarkState& markState() { return m_markState; }
    EditHistory& history() { return m_history; }
    bool isSending() const { return m_sender.isSending(); }
    /// The port settings of this window's transfers, copied from the defaults, and the open port.
    PortConnection& port() { return m_port; }

    bool onNewDocument() override;
    bool onOpenDocument(const QString& path) override;
    bool onSaveDocument(const QString& path) override;
    bool saveModified() override;

private:
    bool importHexValuesText();
    /// Tells that another program changed the file and offers to read it again.
    void offerReload();
    /// Asks before a save overwrites a file another program changed; true to go on.
    bool mayOverwrite(const QString& path);
    void stopMarking();
    void addPortCommands();
    QWidget* dialogParent() const;

    SerialPorts& m_ports;
    int& m_importFlag;
    ByteModel m_bytes;
    EditHistory m_history{m_bytes};
    EndPosition m_endPosition;
    int m_bytesChanged = 0;
    PortConnection m_port;
    PortShare m_portShare;
    OutsideChangeWatch m_outsideChange;
    // After the bytes and the port: its worker reads them until it is stopped.
    PortSender m_sender;
    // Last: the mark worker reads the bytes above until it is stopped.
    MarkState m_markState;
};
