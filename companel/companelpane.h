#pragma once

#include "companel/csendreceivedoc.h"
#include "hexdoc/hexview.h"

/// What the two panes of a Com Panel share: a hex view on one of the
/// document's buffers whose commands wait for that buffer's transfer and for
/// a mark, and whose Save (Ctrl+S) saves that buffer.
class ComPanelPane : public HexView {
    Q_OBJECT

public:
    ComPanelPane(CSendReceiveDoc* document, ComPane pane, QByteArray prefix, QWidget* parent = nullptr);

    CSendReceiveDoc* GetDocument() const { return m_doc; }
    ComPane pane() const { return m_pane; }

    EndPosition& endPosition() override;
    MarkState& markState() override;
    void syncModifiedFlag() override;
    EditHistory& history() override;
    void setBytesChanged(bool changed) override;
    bool canChangeBytes() const override;

protected:
    /// The byte, mark and export commands may run (the Send Pane adds its display type).
    virtual bool byteCommandsAllowed() const;

private:
    void addEnablingRules();
    bool transferRuns() const;

    CSendReceiveDoc* m_doc;
    ComPane m_pane;
};
