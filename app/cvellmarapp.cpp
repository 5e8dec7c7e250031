#include "app/cvellmarapp.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWhatsThis>

#include "app/aboutdialog.h"
#include "app/ccomparefileschildframe.h"
#include "app/cchildframe.h"
#include "app/cmainframe.h"
#include "app/csendreceivechildframe.h"
#include "app/userguidewindow.h"
#include "compare/ccomparedfileview.h"
#include "companel/companelpane.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "docview/doctemplate.h"
#include "listing/listingaccessible.h"
#include "listing/listingprinter.h"
#include "prompt/prompter.h"
#include "settings/recentfilelist.h"
#include "settings/settingsstore.h"
#include "res/resources.h"
#include "safewrite/systempath.h"
#include "serial/driverinforeport.h"
#include "serial/portcommands.h"

namespace {
CVellmarApp* g_app = nullptr;
const QString kPlainTypeString =
    QStringLiteral("\nVellmar\nVellmar\n\n\nVellmar.Document\nVellmar Document");
const QString kComPanelTypeString =
    QStringLiteral("\nComPanel\nComPanel\n\n\nComPanel.Document\nComPanel Document");
const QString kCompareTypeString = QStringLiteral(
    "\nFile Comparison\nFile Comparison\n\n\nFile Comparison.Document\nFile Comparison Document");
}  // namespace

CVellmarApp::CVellmarApp()
{
    g_app = this;
    addCommands();
}

CVellmarApp::~CVellmarApp()
{
    // Windows go before the document types whose documents they show.
    m_userGuide.reset();
    m_mainFrame.reset();
    m_compareTemplate.reset();
    m_comPanelTemplate.reset();
    m_plainTemplate.reset();
    g_app = nullptr;
}

CVellmarApp* CVellmarApp::instance()
{
    return g_app;
}

QWidget* CVellmarApp::dialogParent()
{
    return g_app ? g_app->mainFrame() : nullptr;
}

bool CVellmarApp::initInstance(const QStringList& arguments)
{
    m_serialPorts.load(*SettingsStore::open());
    initVellmarResources();
    installListingAccessibility();
    RecentFileList::instance().load();
    registerDocTemplates();
    m_mainFrame = std::make_unique<CMainFrame>(*this);
    // Each file that fails says so and the others still open; start-up fails
    // only when none of the named files opened.
    int opened = 0;
    for (const QString& path : arguments)
        opened += openDocumentFile(path) ? 1 : 0;
    if (!arguments.isEmpty() && opened == 0)
        return false;
    m_mainFrame->showMaximized();
    return true;
}

void CVellmarApp::registerDocTemplates()
{
    m_plainTemplate = std::make_unique<DocTemplate>(
        kPlainTypeString, [this](DocTemplate& t) { return std::make_unique<CVellmarDoc>(t, m_serialPorts, m_importFlag); },
        [this](Document& doc) {
            auto* view = new CVellmarView(static_cast<CVellmarDoc*>(&doc));
            auto* frame = new CChildFrame(view);
            view->onInitialUpdate();
            m_mainFrame->addChildFrame(frame);
            view->setFocus();
        });
    m_comPanelTemplate = std::make_unique<DocTemplate>(
        kComPanelTypeString, [this](DocTemplate& t) { return std::make_unique<CSendReceiveDoc>(t, m_serialPorts); },
        [this](Document& doc) {
            auto* frame = new CSendReceiveChildFrame(static_cast<CSendReceiveDoc*>(&doc));
            m_mainFrame->addChildFrame(frame);
            frame->pane(0)->setFocus();
        });
    m_compareTemplate = std::make_unique<DocTemplate>(
        kCompareTypeString, [this](DocTemplate& t) { return std::make_unique<CCompareFilesDoc>(t, m_serialPorts); },
        [this](Document& doc) {
            auto* frame = new CCompareFilesChildFrame(static_cast<CCompareFilesDoc*>(&doc), *m_mainFrame);
            m_mainFrame->addChildFrame(frame);
            frame->pane(0)->setFocus();
        });
}

void CVellmarApp::addCommands()
{
    CommandMap& map = commands();
    map.onCommand(CommandId::AppAbout, [] { CAboutDlg(dialogParent()).exec(); });
    map.onCommand(CommandId::FileOpen, [this] { fileOpen(); });
    map.onCommand(CommandId::AppExit, [this] { m_mainFrame->close(); });
    map.onCommand(CommandId::HelpFinder, [this] { showUserGuide(); });
    map.onCommand(CommandId::Help, [this] { showUserGuide(); });
    map.onCommand(CommandId::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    map.onCommand(CommandId::FilePrintSetup, [] {
        Prompter::instance().choosePrinter(dialogParent(), ListingPrinter::sharedPrinter(),
                                           Prompter::PrinterDialog::PageSetup);
    });
    map.onCommand(CommandId::SetDefault, [this] { PortCommands::setDefault(m_serialPorts, dialogParent()); });
    map.onCommand(CommandId::MaxComPort, [this] { PortCommands::maxComPort(m_serialPorts, dialogParent()); });
    map.onCommand(CommandId::ComDriverInfo,
                  [this] { ShowComDriverInfo(m_serialPorts.defaults().portName, m_serialPorts, dialogParent()); });
}

void CVellmarApp::showUserGuide()
{
    if (!m_userGuide)
        m_userGuide = std::make_unique<UserGuideWindow>();
    if (!m_userGuide->isVisible()) {
        // By the windows' inner rectangles: a window not shown yet has no frame to measure.
        QRect placed = m_userGuide->geometry();
        placed.moveCenter(m_mainFrame->geometry().center());
        m_userGuide->setGeometry(placed);
    }
    m_userGuide->show();
    m_userGuide->raise();
    m_userGuide->activateWindow();
}

Document* CVellmarApp::newDocument()
{
    return m_plainTemplate->openDocumentFile(QString());
}

Document* CVellmarApp::compareFiles()
{
    return m_compareTemplate->openDocumentFile(QString());
}

Document* CVellmarApp::comPanel()
{
    return m_comPanelTemplate->openDocumentFile(QString());
}

Document* CVellmarApp::importHexValuesText()
{
    m_importFlag = 1;
    Document* doc = m_plainTemplate->openDocumentFile(QString());
    m_importFlag = 0;
    return doc;
}

void CVellmarApp::fileOpen()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("All Files (*.*)");
    const QString path = Prompter::instance().openFileName(dialogParent(), request);
    if (!path.isEmpty())
        openDocumentFile(path);
}

Document* CVellmarApp::openDocumentFile(const QString& path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (const auto& doc : m_plainTemplate->documents()) {
        if (!doc->pathName().isEmpty() && SystemPath::sameFile(doc->pathName(), wanted)) {
            if (!doc->views().empty())
                m_mainFrame->mdiArea()->setActiveSubWindow(
                    qobject_cast<QMdiSubWindow*>(doc->views().front()->frameWindow()));
            return doc.get();
        }
    }
    return m_plainTemplate->openDocumentFile(wanted);
}

void CVellmarApp::openRecentFile(int index)
{
    const QStringList files = RecentFileList::instance().files();
    if (index >= files.size())
        return;
    if (!openDocumentFile(files.at(index)))
        RecentFileList::instance().remove(files.at(index));
}

bool CVellmarApp::closeAllDocuments()
{
    std::vector<Document*> closing;
    for (const DocTemplate* docTemplate : {m_plainTemplate.get(), m_comPanelTemplate.get(), m_compareTemplate.get()})
        for (const auto& doc : docTemplate->documents())
            closing.push_back(doc.get());
    if (!std::all_of(closing.begin(), closing.end(), [](Document* doc) { return doc->saveModified(); }))
        return false;
    for (Document* doc : closing)
        doc->closeFrames();
    return true;
}
