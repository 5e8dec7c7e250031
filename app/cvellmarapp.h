#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

#include "docview/commandmap.h"
#include "serial/serialports.h"

class CMainFrame;
class DocTemplate;
class Document;
class QWidget;
class UserGuideWindow;

/// The application object: start-up, the document types, the main frame and
/// the commands that belong to no window.
class CVellmarApp : public QObject, public CommandTarget {
    Q_OBJECT

public:
    CVellmarApp();
    ~CVellmarApp() override;

    static CVellmarApp* instance();
    /// Parent for dialogs that have no window of their own to belong to.
    static QWidget* dialogParent();

    /// Start-up: settings, document types, main frame, the files named on the
    /// command line; false ends the program (when none of the files opened).
    bool initInstance(const QStringList& arguments);

    CMainFrame* mainFrame() const { return m_mainFrame.get(); }
    DocTemplate& plainDocTemplate() const { return *m_plainTemplate; }

    /// The default port settings, Max Com Port and the ports in use.
    SerialPorts& serialPorts() { return m_serialPorts; }

    int importFlag() const { return m_importFlag; }
    void setImportFlag(int flag) { m_importFlag = flag; }

    Document* newDocument();
    /// Asks for two files and opens a comparison window on them.
    Document* compareFiles();
    /// Opens another Com Panel window on a new document.
    Document* comPanel();
    Document* importHexValuesText();
    /// Opens a file as a plain hex document, or brings up its window if it is open already.
    Document* openDocumentFile(const QString& path);
    void openRecentFile(int index);
    /// Asks every document whether it may close and, when all agree, closes
    /// them; false when one refused (nothing is closed then).
    bool closeAllDocuments();

private:
    void addCommands();
    void fileOpen();
    void registerDocTemplates();
    void showUserGuide();

    SerialPorts m_serialPorts;
    std::unique_ptr<DocTemplate> m_plainTemplate;
    std::unique_ptr<DocTemplate> m_comPanelTemplate;
    std::unique_ptr<DocTemplate> m_compareTemplate;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<UserGuideWindow> m_userGuide;
    int m_importFlag = 0;
};
