#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

#include "app/lockkeysource.h"
#include "app/menudefinitions.h"
#include "docview/commandrouter.h"

class CaretStatusPanes;
class CVellmarApp;
class ChildFrameBase;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class UtilityWindowSlot;
class View;

/// The main window: the document windows in an MDI area, the menus of the
/// active window's kind, three toolbars, the status bar, and the routing of
/// every command along active view, document, child frame, main frame and
/// application, with an update pass that enables and checks each command.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit CMainFrame(CVellmarApp& app);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    void addChildFrame(ChildFrameBase* frame);
    ChildFrameBase* activeChildFrame() const;
    View* activeView() const;
    WindowState windowState() const;

    /// An action that runs the command through the active chain and takes
    /// part in the update pass, for toolbars of a document window.
    QAction* routedAction(CommandId id, QObject* parent) { return commandAction(id, QString(), parent); }
    /// Adds an icon button named by its tooltip.
    static void addNamedButton(QToolBar* bar, QAction* action);

    CommandRouter::Chain commandChain() const;
    bool executeCommand(CommandId id);
    /// Sets every command's enabled and checked state from the active chain.
    void updateCommandUI();
    /// Runs updateCommandUI() once the current event is handled.
    void requestCommandUpdate();

    /// Replaces where the lock indicators learn the keyboard's state, and shows it.
    void setLockKeySource(std::unique_ptr<LockKeySource> source);
    /// Shows CAP, NUM and SCRL as the keyboard has them, all blank when that is unknown.
    void refreshLockIndicators();

    /// The status bar's idle text.
    static QString idleMessage() { return QStringLiteral("For Help, press F1"); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* commandAction(CommandId id, const QString& text, QObject* parent);
    void buildToolBars();
    void buildStatusBar();
    void buildAccelerators();
    void buildMenus(WindowState state);
    void fillRecentFiles(QMenu* menu);
    void fillWindowList(QMenu* menu);
    void addCommands();
    void arrangeIcons();
    bool toolBarsVisible() const;
    void onActiveChildChanged();
    void notifyViewActivation();
    void requestTitleUpdate();
    void updateTitle();

    CVellmarApp& m_app;
    QMdiArea* m_mdiArea;
    QLabel* m_lockIndicators[3] = {};
    CaretStatusPanes* m_caretPanes = nullptr;
    std::unique_ptr<LockKeySource> m_lockKeys;
    std::vector<QAction*> m_actions;  // every action that stands for a command
    std::vector<QAction*> m_menuActions;
    QMenu* m_windowMenu = nullptr;
    std::vector<QAction*> m_windowListActions;
    WindowState m_menuState = WindowState::NoDocument;
    bool m_updatePending = false;
    QPointer<QWidget> m_activeViewWidget;  // the view last told it is active
    UtilityWindowSlot* m_asciiTable;
    UtilityWindowSlot* m_notationConvert;
};
