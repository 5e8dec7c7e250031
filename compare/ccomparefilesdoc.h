#pragma once

#include <QPointer>

#include <array>
#include <atomic>
#include <memory>

#include "bytemodel/bytemodel.h"
#include "byteops/edithistory.h"
#include "compare/compareworker.h"
#include "docview/document.h"
#include "hexdoc/hexlayout.h"
#include "marking/markstate.h"
#include "serial/portconnection.h"
#include "serial/portsender.h"

class HexView;
class SerialPorts;

/// Which of the two files: File1 shows in the upper pane, File2 in the lower.
enum class CompareSide { File1 = 0, File2 = 1 };

/// The document of a comparison window: the two files the user chose, read
/// into two byte models the panes show and edit, their paths and changed
/// flags, the comparison (Start Compare, Stop Compare and its worker), the
/// last found difference, the sending flags and the mark state the panes
/// share; Save File1 / File2 (As) and the close check.
class CCompareFilesDoc : public Document {
    Q_OBJECT

public:
    CCompareFilesDoc(DocTemplate& docTemplate, SerialPorts& ports);
    ~CCompareFilesDoc() override;

    ByteModel& bytes(CompareSide side) { return file(side).bytes; }
    EditHistory& history(CompareSide side) { return file(side).history; }
    EndPosition& endPosition(CompareSide side) { return file(side).endPosition; }
    const QString& path(CompareSide side) const { return file(side).path; }
    bool fileChanged(CompareSide side) const { return file(side).changed != 0; }
    /// Any change made in that file's pane sets it; nothing clears it.
    void setFileChanged(CompareSide side) { file(side).changed = 1; }

    MarkState& markState() { return m_markState; }
    /// Idle: comparing 0 and comparison finished 1 (no worker alive).
    bool isComparisonIdle() const { return m_comparing == 0 && m_comparisonFinished == 1; }
    bool isComparing() const { return m_comparing != 0; }
    bool isSending() const { return m_senders[0]->isSending() || m_senders[1]->isSending(); }
    /// Start Send of a pane: that file's bytes to the window's port.
    void startSend(CompareSide side) { sender(side).start(bytes(side)); }
    /// No mark, no comparison and no send runs: the panes may change bytes.
    bool canChangeBytes() const { return m_markState.isIdle() && isComparisonIdle() && !isSending(); }

    ByteOffset lastFoundDifference() const { return m_lastFoundDifference; }
    void setLastFoundDifference(ByteOffset offset) { m_lastFoundDifference = offset; }

    /// The pane showing a file; set by the pane when it is made.
    void setPane(CompareSide side, HexView* pane) { file(side).pane = pane; }
    HexView* pane(CompareSide side) const { return file(side).pane; }

    bool onNewDocument() override;
    bool onOpenDocument(const QString& path) override;
    bool onSaveDocument(const QString& path) override;
    bool saveModified() override;

private:
    struct File {
        explicit File(CompareSide which)
            : side(which)
        {
        }
        CompareSide side;
        QString path;
        ByteModel bytes;
        EditHistory history{bytes};
        EndPosition endPosition;
        int changed = 0;
        QPointer<HexView> pane;
    };
    File& file(CompareSide side) { return *m_files[std::size_t(side)]; }
    const File& file(CompareSide side) const { return *m_files[std::size_t(side)]; }
    PortSender& sender(CompareSide side) { return *m_senders[std::size_t(side)]; }
    std::unique_ptr<PortSender> makeSender();

    void addCommands();
    bool chooseFiles();
    bool load(File& into);
    bool saveFile(const File& from, const QString& path);
    void saveFileAs(const File& from);
    void startCompare();
    void stopCompare();
    void compareFinished(bool stopped, const CompareEngine::Counts& counts);
    bool askToStopWork();
    bool askToSaveFiles();
    QWidget* dialogParent() const;

    SerialPorts& m_ports;
    PortConnection m_port;
    PortShare m_portShare;
    std::array<std::unique_ptr<File>, 2> m_files;
    std::atomic<int> m_comparing{0};
    std::atomic<int> m_comparisonFinished{1};
    ByteOffset m_lastFoundDifference = kNoOffset;
    // Last: the workers read the bytes above until they are stopped. One
    // send at a time: Start Send waits while either pane sends.
    std::array<std::unique_ptr<PortSender>, 2> m_senders;
    MarkState m_markState;
    std::unique_ptr<CompareWorker::Job> m_compareJob;
};
