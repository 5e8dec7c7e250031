#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "app/cvellmarapp.h"
#include "app/menudefinitions.h"
#include "support/scriptedprompter.h"

class CMainFrame;
class CVellmarDoc;
class CVellmarView;
class QDialog;

/// A started application with a scripted prompter and a private settings
/// folder and temporary folder, for widget tests of whole windows.
class AppFixture {
public:
    explicit AppFixture(const QStringList& arguments = {});
    ~AppFixture();

    CVellmarApp& app() { return *m_app; }
    CMainFrame& frame();
    ScriptedPrompter& prompter() { return m_prompter; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

    bool run(CommandId id);
    CVellmarView* activeView();
    CVellmarDoc* activeDoc();
    int windowCount();
    /// Brings the main window into a window state: a new document, a
    /// comparison of two small files, or a stand-in window for the Com Panel.
    void enterWindowState(WindowState state);

    /// Runs interact on the modal dialog the next command opens, inside the
    /// dialog's own event loop; a dialog that interact leaves open is cancelled.
    static void onNextModal(std::function<void(QDialog&)> interact);

private:
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CVellmarApp> m_app;
};
