#include "compare/ccomparefilesdoc.h"

#include <QApplication>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "docview/view.h"
#include "hexdoc/bytefileio.h"
#include "hexdoc/hexview.h"
#include "marking/markclosequestion.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"
#include "safewrite/safefilewriter.h"
#include "safewrite/systempath.h"
#include "serial/driverinforeport.h"
#include "serial/portcommands.h"
#include "serial/serialmessages.h"
#include "serial/serialports.h"

namespace {

const QString kFilter = QStringLiteral("All files (*.*)");

/// The words each file's messages use.
struct SideTexts {
    const char* ordinal;   // "first"
    const char* name;      // "file1"
    const char* title;     // "File1"
};
constexpr SideTexts kSideTexts[] = {{"first", "file1", "File1"}, {"second", "file2", "File2"}};

const SideTexts& textsOf(CompareSide side)
{
    return kSideTexts[std::size_t(side)];
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// Commands of the window and the application that wait for a comparison and a mark.
constexpr CommandId kIdleWorkCommands[] = {
    CommandId::SaveFile1, CommandId::SaveFile1As, CommandId::SaveFile2, CommandId::SaveFile2As,
    CommandId::ComDriverInfo, CommandId::FileNew, CommandId::FileOpen,
    CommandId::Compare, CommandId::FilePrint, CommandId::FilePrintSetup, CommandId::ComPanel,
    CommandId::ComPanelProperties, CommandId::MaxComPort, CommandId::SetDefault, CommandId::ImportHexValuesText,
};

}  // namespace

CCompareFilesDoc::CCompareFilesDoc(DocTemplate& docTemplate, SerialPorts& ports)
    : Document(docTemplate)
    , m_ports(ports)
    , m_portShare(m_port, ports.usage())
    , m_files{std::make_unique<File>(CompareSide::File1), std::make_unique<File>(CompareSide::File2)}
    , m_senders{makeSender(), makeSender()}
{
    m_port.settings = m_ports.defaults();
    addCommands();
}

CCompareFilesDoc::~CCompareFilesDoc()
{
    m_compareJob.reset();
    m_markState.stop();
    for (auto& sender : m_senders)
        sender->stopAndWait();
}

std::unique_ptr<PortSender> CCompareFilesDoc::makeSender()
{
    return std::make_unique<PortSender>(PortSender::Context{
        this, m_portShare, [this] { return dialogParent(); }, [this] { emit commandStateChanged(); }});
}

void CCompareFilesDoc::addCommands()
{
    CommandMap& map = commands();
    for (CompareSide side : {CompareSide::File1, CompareSide::File2}) {
        const bool first = side == CompareSide::File1;
        map.onCommand(first ? CommandId::SaveFile1 : CommandId::SaveFile2,
                      [this, side] { saveFile(file(side), file(side).path); });
        map.onCommand(first ? CommandId::SaveFile1As : CommandId::SaveFile2As, [this, side] { saveFileAs(file(side)); });
    }
    for (CommandId id : kIdleWorkCommands)
        map.enableWhen(id, [this] { return isComparisonIdle() && m_markState.isIdle(); });
    // The general Save and Save As have no meaning for two files.
    map.enableWhen(CommandId::FileSave, [] { return false; });
    map.enableWhen(CommandId::FileSaveAs, [] { return false; });
    map.onCommand(CommandId::StartCompare, [this] { startCompare(); });
    map.enableWhen(CommandId::StartCompare,
                   [this] { return !isSending() && isComparisonIdle() && m_markState.isIdle(); });
    map.onCommand(CommandId::StopCompare, [this] { stopCompare(); });
    map.enableWhen(CommandId::StopCompare, [this] { return m_comparing == 1; });
    map.onCommand(CommandId::StopSend, [this] {
        for (auto& sender : m_senders)
            sender->stop();
    });
    map.enableWhen(CommandId::StopSend, [this] { return isSending(); });
    map.onCommand(CommandId::CurrentSettings,
                  [this] { PortCommands::currentSettings(m_port.settings, m_ports, dialogParent()); });
    // The settings belong to the port a pane's send holds open.
    map.enableWhen(CommandId::CurrentSettings,
                   [this] { return !isSending() && isComparisonIdle() && m_markState.isIdle(); });
    map.onCommand(CommandId::ComDriverInfo,
                  [this] { ShowComDriverInfo(m_port.settings.portName, m_ports, dialogParent()); });
}

bool CCompareFilesDoc::onNewDocument()
{
    if (!Document::onNewDocument() || !chooseFiles())
        return false;
    // One file by device and inode: "a.bin" and "A.bin" are two, a link to a file is that file.
    if (SystemPath::sameFile(path(CompareSide::File1), path(CompareSide::File2))) {
        Prompter::error(dialogParent(), QStringLiteral("You must select two different files for comparison!"));
        return false;
    }
    WaitCursor wait;
    return load(file(CompareSide::File1)) && load(file(CompareSide::File2));
}

bool CCompareFilesDoc::chooseFiles()
{
    static const char* const kTitles[] = {"Select first file for comparison", "Select second file for comparison"};
    for (CompareSide side : {CompareSide::File1, CompareSide::File2}) {
        Prompter::FileRequest request;
        request.title = QString::fromLatin1(kTitles[std::size_t(side)]);
        request.filter = kFilter;
        file(side).path = Prompter::instance().openFileName(dialogParent(), request);
        if (file(side).path.isEmpty())
            return false;
    }
    return true;
}

bool CCompareFilesDoc::load(File& into)
{
    const SideTexts& texts = textsOf(into.side);
    int fd = -1;
    qint64 size = 0;
    QString reason;
    if (ByteFileIo::openForReading(into.path, fd, size, reason) != ByteFileIo::ReadResult::Ok) {
        Prompter::error(dialogParent(), QStringLiteral("Failed to open %1 file %2\nCause: %3")
                                            .arg(QLatin1String(texts.ordinal), into.path, reason));
        return false;
    }
    ::close(fd);
    ByteBuffer loaded;
    const ByteFileIo::ReadResult read = ByteFileIo::readFile(into.path, loaded, reason);
    if (read != ByteFileIo::ReadResult::Ok) {
        if (read == ByteFileIo::ReadResult::TooLarge)
            reason = systemReason(EFBIG);
        Prompter::error(dialogParent(), QStringLiteral("Failed to read %1 file %2\nCause: %3")
                                            .arg(QLatin1String(texts.ordinal), into.path, reason));
        return false;
    }
    into.bytes.assign(std::move(loaded));
    into.endPosition = EndPosition::of(into.bytes.size());
    return true;
}

bool CCompareFilesDoc::onOpenDocument(const QString&)
{
    return false;  // a comparison is made only by Compare
}

bool CCompareFilesDoc::onSaveDocument(const QString&)
{
    return false;  // Save and Save As are disabled: Save File1 and Save File2 save
}

bool CCompareFilesDoc::saveFile(const File& from, const QString& path)
{
    WaitCursor wait;
    const SideTexts& texts = textsOf(from.side);
    SafeFileWriter writer(path);
    if (!writer.open(from.bytes.size())) {
        Prompter::error(dialogParent(), QStringLiteral("Failed to open %1 %2\nCause: %3")
                                            .arg(QLatin1String(texts.name), path, writer.errorString()));
        return false;
    }
    const bool written = from.bytes.forEachChunk(0, from.bytes.size(),
                                                 [&writer](ByteOffset, std::span<const std::uint8_t> chunk) {
                                                     return writer.write(chunk.data(), chunk.size());
                                                 })
                         && writer.commit();
    if (!written)
        Prompter::error(dialogParent(), QStringLiteral("Failed to write %1 %2\nCause: %3")
                                            .arg(QLatin1String(texts.name), path, writer.errorString()));
    return written;
}

void CCompareFilesDoc::saveFileAs(const File& from)
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Save %1 As").arg(QLatin1String(textsOf(from.side).title));
    request.filter = kFilter;
    request.directory = from.path;
    const QString path = Prompter::instance().saveFileName(dialogParent(), request);
    if (!path.isEmpty())
        saveFile(from, path);
}

void CCompareFilesDoc::startCompare()
{
    HexView* pane1 = pane(CompareSide::File1);
    HexView* pane2 = pane(CompareSide::File2);
    if (!pane1 || !pane2)
        return;
    pane1->ClearAllMarks();
    pane2->ClearAllMarks();
    m_comparing = 1;
    m_comparisonFinished = 0;
    QPointer<HexView> view1(pane1);
    QPointer<HexView> view2(pane2);
    m_compareJob = CompareWorker::start(
        this, {bytes(CompareSide::File1), bytes(CompareSide::File2), pane1->sharedMarks(), pane2->sharedMarks()},
        [view1, view2](const ComparePaint& paint) {
            if (view1 && paint.file1.first <= paint.file1.last)
                view1->showMarks(paint.file1.first, paint.file1.last);
            if (view2 && paint.file2.first <= paint.file2.last)
                view2->showMarks(paint.file2.first, paint.file2.last);
        },
        [this](bool stopped, const CompareEngine::Counts& counts) { compareFinished(stopped, counts); });
    emit commandStateChanged();
}

void CCompareFilesDoc::stopCompare()
{
    m_comparing = 0;
    if (m_compareJob)
        m_compareJob->cancel();
    emit commandStateChanged();
}

void CCompareFilesDoc::compareFinished(bool stopped, const CompareEngine::Counts& counts)
{
    // The run counts as running until the report is dismissed; the window
    // may be closed meanwhile.
    QPointer<CCompareFilesDoc> self(this);
    if (!stopped)
        Prompter::info(dialogParent(), CompareEngine::reportText(counts));
    if (!self)
        return;
    m_comparing = 0;
    m_comparisonFinished = 1;
    emit commandStateChanged();
}

bool CCompareFilesDoc::saveModified()
{
    if (!askToStopWork() || !askToSaveFiles())
        return false;
    setModifiedFlag(false);
    return true;
}

bool CCompareFilesDoc::askToStopWork()
{
    for (auto& sender : m_senders) {
        if (!sender->isSending())
            continue;
        if (!Prompter::stopQuestion(dialogParent(), SerialMessages::stillSendingQuestion()))
            return false;
        sender->stopAndWait();
    }
    if (m_comparing == 1) {
        if (!Prompter::stopQuestion(dialogParent(), QStringLiteral("You are still in the comparing process, do you want "
                                                                   "to stop comparing files and close the window?")))
            return false;
        m_compareJob.reset();
        m_comparing = 0;
        m_comparisonFinished = 1;
    }
    if (!stopMarkingToClose(m_markState, dialogParent()))
        return false;
    return true;
}

bool CCompareFilesDoc::askToSaveFiles()
{
    for (CompareSide side : {CompareSide::File1, CompareSide::File2}) {
        if (!fileChanged(side))
            continue;
        const SideTexts& texts = textsOf(side);
        const QString question = QStringLiteral("%1 has been changed, do you want to save the changes of %2?")
                                     .arg(QLatin1String(texts.title), QLatin1String(texts.name));
        // A save that fails keeps the window open, so the changes are not lost.
        if (Prompter::instance().message(dialogParent(), QStringLiteral("Vellmar"), question, Prompter::Icon::Question,
                                         Prompter::Buttons::YesNo) == Prompter::Answer::Yes
            && !saveFile(file(side), file(side).path))
            return false;
    }
    return true;
}

QWidget* CCompareFilesDoc::dialogParent() const
{
    return views().empty() ? QApplication::activeWindow() : views().front()->widget();
}
