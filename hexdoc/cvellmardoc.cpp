#include "hexdoc/cvellmardoc.h"

#include <QApplication>
#include <QFileInfo>

#include "docview/view.h"
#include "hexdoc/bytefileio.h"
#include "hexdoc/hexvaluesimport.h"
#include "marking/markclosequestion.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"
#include "serial/driverinforeport.h"
#include "serial/portcommands.h"
#include "serial/serialmessages.h"
#include "serial/serialports.h"

namespace {
constexpr int kNewDocumentSize = 32;
}

CVellmarDoc::CVellmarDoc(DocTemplate& docTemplate, SerialPorts& ports, int& importFlag)
    : Document(docTemplate)
    , m_ports(ports)
    , m_importFlag(importFlag)
    , m_portShare(m_port, ports.usage())
    , m_sender({this, m_portShare, [this] { return dialogParent(); }, [this] { emit commandStateChanged(); }})
{
    m_port.settings = m_ports.defaults();
    addPortCommands();
    connect(&m_outsideChange, &OutsideChangeWatch::changedOutside, this, &CVellmarDoc::offerReload);
}

CVellmarDoc::~CVellmarDoc()
{
    m_sender.stopAndWait();
    stopMarking();
}

void CVellmarDoc::addPortCommands()
{
    commands().onCommand(CommandId::CurrentSettings, [this] {
        PortCommands::currentSettings(m_port.settings, m_ports, dialogParent());
    });
    commands().onCommand(CommandId::ComDriverInfo, [this] {
        ShowComDriverInfo(m_port.settings.portName, m_ports, dialogParent());
    });
    commands().onCommand(CommandId::StartSend, [this] { m_sender.start(m_bytes); });
    commands().onCommand(CommandId::StopSend, [this] { m_sender.stop(); });
}

void CVellmarDoc::setBytesChanged(int changed)
{
    m_bytesChanged = changed;
    syncModifiedFlag();
}

bool CVellmarDoc::onNewDocument()
{
    if (!Document::onNewDocument())
        return false;
    if (m_importFlag) {
        m_importFlag = 0;
        if (!importHexValuesText())
            return false;
    } else {
        m_bytes.assign(ByteBuffer(kNewDocumentSize, 0));
    }
    m_endPosition = EndPosition::of(m_bytes.size());
    m_history.clear();
    setBytesChanged(1);
    return true;
}

bool CVellmarDoc::importHexValuesText()
{
    const QString path = HexValuesImport::askForFile(dialogParent());
    ByteBuffer imported;
    if (path.isEmpty() || !HexValuesImport::importFile(dialogParent(), path, imported))
        return false;
    m_bytes.assign(std::move(imported));
    return true;
}

bool CVellmarDoc::onOpenDocument(const QString& path)
{
    WaitCursor wait;
    QString reason;
    switch (ByteFileIo::loadFile(path, m_bytes, reason)) {
    case ByteFileIo::ReadResult::Failed:
        Prompter::error(dialogParent(), QStringLiteral("Fail to open the file because ") + reason);
        return false;
    case ByteFileIo::ReadResult::TooLarge:
        Prompter::error(dialogParent(), QStringLiteral("Fail to open the file because it is 4 GB or larger: ") + path
                                            + QStringLiteral("\nVellmar shows 8-digit addresses and opens files below 4 GB."));
        return false;
    case ByteFileIo::ReadResult::OutOfMemory:
        Prompter::error(dialogParent(), QStringLiteral("Fail to open the file because there is not enough memory for its "
                                                       "bytes: ") + path);
        return false;
    case ByteFileIo::ReadResult::Ok:
        break;
    }
    m_history.clear();
    m_history.markSaved();
    m_endPosition = EndPosition::of(m_bytes.size());
    setBytesChanged(0);
    m_outsideChange.watch(path);
    return true;
}

namespace {

QString changedOutsideText(const QString& path)
{
    return QStringLiteral("The file ") + path + QStringLiteral(" was changed by another program.");
}

}  // namespace

void CVellmarDoc::offerReload()
{
    const QString path = pathName();
    if (Prompter::instance().message(dialogParent(), QStringLiteral("Vellmar"),
                                     changedOutsideText(path) + QStringLiteral("\nDo you want to reload it?"),
                                     Prompter::Icon::Question, Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;
    // The workers read the bytes about to be replaced.
    m_sender.stopAndWait();
    stopMarking();
    onOpenDocument(path);
}

bool CVellmarDoc::mayOverwrite(const QString& path)
{
    if (path != pathName() || !m_outsideChange.changedSince())
        return true;
    return Prompter::instance().message(dialogParent(), QStringLiteral("Vellmar"),
                                        changedOutsideText(path) + QStringLiteral("\nDo you want to overwrite it?"),
                                        Prompter::Icon::Warning, Prompter::Buttons::YesNo)
           == Prompter::Answer::Yes;
}

bool CVellmarDoc::onSaveDocument(const QString& path)
{
    if (!mayOverwrite(path))
        return false;
    WaitCursor wait;
    QString reason;
    if (!ByteFileIo::writeFile(path, m_bytes, reason)) {
        Prompter::error(dialogParent(), QStringLiteral("Failed to save the file ") + QFileInfo(path).absoluteFilePath()
                                            + QStringLiteral("\nCause: ") + reason);
        return false;
    }
    m_endPosition = EndPosition::of(m_bytes.size());
    m_history.markSaved();
    setBytesChanged(0);
    m_outsideChange.watch(path);
    return true;
}

bool CVellmarDoc::saveModified()
{
    if (m_sender.isSending()) {
        if (!Prompter::stopQuestion(dialogParent(), SerialMessages::stillSendingQuestion()))
            return false;
        m_sender.stopAndWait();
    }
    if (!stopMarkingToClose(m_markState, dialogParent()))
        return false;
    return askToSaveChanges();
}

void CVellmarDoc::stopMarking()
{
    // The worker reads the flag before every piece it scans and every batch it colours, so it ends at once.
    m_markState.stop();
}

QWidget* CVellmarDoc::dialogParent() const
{
    return views().empty() ? QApplication::activeWindow() : views().front()->widget();
}
