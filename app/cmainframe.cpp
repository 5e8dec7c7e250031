#include "app/cmainframe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/actionfactory.h"
#include "app/caretstatuspanes.h"
#include "app/childframebase.h"
#include "app/cvellmarapp.h"
#include "app/x11lockkeysource.h"
#include "docview/doctemplate.h"
#include "docview/document.h"
#include "hexdoc/hexview.h"
#include "settings/recentfilelist.h"
#include "docview/view.h"
#include "utilities/asciitablewindow.h"
#include "utilities/notationconvertwindow.h"
#include "utilities/utilitywindowslot.h"

namespace {

struct LockIndicator {
    Qt::Key key;
    const char* text;
    const char* keyName;
    bool LockKeySource::State::*on;
};
constexpr LockIndicator kLockIndicators[] = {
    {Qt::Key_CapsLock, "CAP", "Caps Lock", &LockKeySource::State::capsLock},
    {Qt::Key_NumLock, "NUM", "Num Lock", &LockKeySource::State::numLock},
    {Qt::Key_ScrollLock, "SCRL", "Scroll Lock", &LockKeySource::State::scrollLock},
};

bool isLockKeyEvent(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return std::any_of(std::begin(kLockIndicators), std::end(kLockIndicators),
                       [key](const LockIndicator& indicator) { return indicator.key == key; });
}

const QString kTitle = QStringLiteral("Vellmar");

// Where the utility windows open: a third, and half, of the screen's width and height.
constexpr int kAsciiTableScreenDivisor = 3;
constexpr int kNotationConvertScreenDivisor = 2;

constexpr CommandId kRecentFileIds[] = {CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
                                        CommandId::RecentFile4};

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        return true;
    default:
        return false;
    }
}

}  // namespace

CMainFrame::CMainFrame(CVellmarApp& app)
    : m_app(app)
    , m_mdiArea(new QMdiArea(this))
    , m_asciiTable(new UtilityWindowSlot([](QWidget* owner) { return new AsciiTableWindow(owner); },
                                         kAsciiTableScreenDivisor, this))
    , m_notationConvert(new UtilityWindowSlot([](QWidget* owner) { return new NotationConvertWindow(owner); },
                                              kNotationConvertScreenDivisor, this))
{
    setWindowTitle(kTitle);
    setObjectName(QStringLiteral("MainFrame"));
    setAccessibleName(kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    setAcceptDrops(true);
    m_mdiArea->setAccessibleName(QStringLiteral("Document windows"));
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::onActiveChildChanged);
    buildToolBars();
    buildStatusBar();
    setLockKeySource(std::make_unique<X11LockKeySource>());
    // A lock key pressed while another program had the keyboard shows when the program comes back.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            refreshLockIndicators();
    });
    buildAccelerators();
    addCommands();
    buildMenus(WindowState::NoDocument);
    // Queued: the list changes while a menu action (a recent file) is still running.
    connect(&RecentFileList::instance(), &RecentFileList::changed, this, [this] { buildMenus(m_menuState); },
            Qt::QueuedConnection);
    qApp->installEventFilter(this);
    updateCommandUI();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    for (QAction* action : m_actions)
        disconnect(action, nullptr, this, nullptr);
    // Windows close while this frame is still whole: their views leave their documents first.
    // Closed windows still waiting for deletion go with this frame's children: they tell it nothing.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_mdiArea->findChildren<QMdiSubWindow*>())
        disconnect(window, nullptr, this, nullptr);
    qDeleteAll(m_mdiArea->subWindowList());
}

QAction* CMainFrame::commandAction(CommandId id, const QString& text, QObject* parent)
{
    QAction* action = makeCommandAction(id, text, parent);
    action->setCheckable(id == CommandId::ViewToolbar || id == CommandId::ViewStatusBar);
    connect(action, &QAction::triggered, this, [this, id] { executeCommand(id); });
    connect(action, &QObject::destroyed, this, [this, action] { std::erase(m_actions, action); });
    m_actions.push_back(action);
    return action;
}

void CMainFrame::buildToolBars()
{
    for (const ToolBarDefinition& definition : toolBarDefinitions()) {
        QToolBar* bar = addToolBar(definition.title);
        bar->setObjectName(definition.objectName);
        bar->setAccessibleName(definition.title);
        for (const ToolBarButton& button : definition.buttons) {
            if (button.separator)
                bar->addSeparator();
            else
                addNamedButton(bar, commandAction(button.id, QString(), bar));
        }
        // The button that shows the buttons a narrow window leaves no room for.
        if (auto* more = bar->findChild<QAbstractButton*>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("More buttons"));
    }
}

void CMainFrame::addNamedButton(QToolBar* bar, QAction* action)
{
    // An icon button has no text of its own: a screen reader reads its tooltip as its name.
    bar->addAction(action);
    bar->widgetForAction(action)->setAccessibleName(action->toolTip());
}

void CMainFrame::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setAccessibleName(QStringLiteral("Status bar"));
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral(" SCRL ")));
        label->setAlignment(Qt::AlignCenter);
        label->setAccessibleName(QString::fromLatin1(kLockIndicators[i].text));
        bar->addPermanentWidget(label);
        m_lockIndicators[i] = label;
    }
    m_caretPanes = new CaretStatusPanes(bar);
    // Prompts replace the message while the pointer is on a command; the idle text comes back after.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(idleMessage());
    });
    bar->showMessage(idleMessage());
}

void CMainFrame::buildAccelerators()
{
    for (const AcceleratorBinding& binding : acceleratorTable()) {
        QAction* action = commandAction(binding.id, QString(), this);
        action->setShortcut(QKeySequence::fromString(binding.keys, QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setObjectName(QStringLiteral("accel_") + binding.keys);
        addAction(action);
    }
}

void CMainFrame::buildMenus(WindowState state)
{
    m_menuState = state;
    for (QAction* action : m_menuActions)
        delete action;
    m_menuActions.clear();
    menuBar()->clear();
    menuBar()->setAccessibleName(QStringLiteral("Menu bar"));
    m_windowMenu = nullptr;
    for (const MenuDefinition& definition : menuBarDefinition(state)) {
        QMenu* menu = menuBar()->addMenu(definition.title);
        m_menuActions.push_back(menu->menuAction());
        menu->setAccessibleName(QString(definition.title).remove(QLatin1Char('&')));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandUI);
        for (const MenuItem& item : definition.items) {
            switch (item.kind) {
            case MenuItem::Kind::Command: menu->addAction(commandAction(item.id, item.text, menu)); break;
            case MenuItem::Kind::Separator: menu->addSeparator(); break;
            case MenuItem::Kind::RecentFiles: fillRecentFiles(menu); break;
            case MenuItem::Kind::WindowList:
                m_windowMenu = menu;
                connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillWindowList(menu); });
                break;
            }
        }
    }
    updateCommandUI();
}

void CMainFrame::fillRecentFiles(QMenu* menu)
{
    const QStringList files = RecentFileList::instance().files();
    if (files.isEmpty()) {
        QAction* placeholder = menu->addAction(QStringLiteral("Recent File"));
        placeholder->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString text = numberedMenuText(i + 1, QDir::toNativeSeparators(files.at(i)));
        menu->addAction(commandAction(kRecentFileIds[i], text, menu));
    }
}

void CMainFrame::fillWindowList(QMenu* menu)
{
    for (QAction* action : m_windowListActions)
        delete action;
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowListActions.push_back(menu->addSeparator());
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows.at(i);
        QAction* action = menu->addAction(numberedMenuText(i + 1, window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] { m_mdiArea->setActiveSubWindow(window); });
        m_windowListActions.push_back(action);
    }
}

void CMainFrame::addCommands()
{
    CommandMap& map = commands();
    map.onCommand(CommandId::FileNew, [this] { m_app.newDocument(); });
    map.onCommand(CommandId::ImportHexValuesText, [this] { m_app.importHexValuesText(); });
    map.onCommand(CommandId::Compare, [this] { m_app.compareFiles(); });
    map.onCommand(CommandId::ComPanel, [this] { m_app.comPanel(); });
    map.onCommand(CommandId::WindowNew, [this] {
        if (View* view = activeView())
            view->document()->docTemplate().createFrame(*view->document());
    });
    map.enableWhen(CommandId::WindowNew, [this] { return windowState() == WindowState::PlainDocument; });
    map.onCommand(CommandId::WindowCascade, [this] { m_mdiArea->cascadeSubWindows(); });
    map.onCommand(CommandId::WindowTile, [this] { m_mdiArea->tileSubWindows(); });
    map.onCommand(CommandId::WindowArrange, [this] { arrangeIcons(); });
    // One View menu item shows or hides all three toolbars.
    map.onCommand(CommandId::ViewToolbar, [this] {
        const bool show = !toolBarsVisible();
        for (QToolBar* bar : findChildren<QToolBar*>())
            bar->setVisible(show);
    });
    map.onUpdate(CommandId::ViewToolbar, [this](CommandState& s) { s.checked = toolBarsVisible(); });
    map.onCommand(CommandId::ViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    map.onUpdate(CommandId::ViewStatusBar, [this](CommandState& s) { s.checked = statusBar()->isVisible(); });
    for (int i = 0; i < RecentFileList::kSize; ++i)
        map.onCommand(kRecentFileIds[i], [this, i] { m_app.openRecentFile(i); });
    map.onCommand(CommandId::AsciiTable, [this] { m_asciiTable->open(); });
    map.onCommand(CommandId::NotationConvert, [this] { m_notationConvert->open(); });
}

bool CMainFrame::toolBarsVisible() const
{
    const auto* bar = findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    return bar && !bar->isHidden();
}

void CMainFrame::arrangeIcons()
{
    // Minimized windows line up along the bottom of the area, left to right.
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, m_mdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

void CMainFrame::addChildFrame(ChildFrameBase* frame)
{
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::requestTitleUpdate);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::requestTitleUpdate);
    // F6 or a click into the other pane: menus, commands and the caret panes follow it.
    connect(frame, &ChildFrameBase::activeViewChanged, this, [this, frame] {
        if (frame == activeChildFrame())
            onActiveChildChanged();
    });
    m_mdiArea->addSubWindow(frame);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    onActiveChildChanged();
}

ChildFrameBase* CMainFrame::activeChildFrame() const
{
    return qobject_cast<ChildFrameBase*>(m_mdiArea->activeSubWindow());
}

View* CMainFrame::activeView() const
{
    ChildFrameBase* frame = activeChildFrame();
    return frame ? frame->activeView() : nullptr;
}

WindowState CMainFrame::windowState() const
{
    ChildFrameBase* frame = activeChildFrame();
    return frame ? frame->windowState() : WindowState::NoDocument;
}

void CMainFrame::onActiveChildChanged()
{
    // Deferred: the change may come from a menu action that is still running.
    QMetaObject::invokeMethod(
        this, [this] {
            if (windowState() != m_menuState)
                buildMenus(windowState());
        },
        Qt::QueuedConnection);
    notifyViewActivation();
    m_caretPanes->follow(dynamic_cast<HexView*>(activeView()));
    requestTitleUpdate();
    if (View* view = activeView()) {
        Document* doc = view->document();
        connect(doc, &Document::commandStateChanged, this, &CMainFrame::requestCommandUpdate, Qt::UniqueConnection);
    }
    requestCommandUpdate();
}

void CMainFrame::notifyViewActivation()
{
    View* view = activeView();
    QWidget* widget = view ? view->widget() : nullptr;
    if (widget == m_activeViewWidget)
        return;
    if (auto* previous = dynamic_cast<View*>(m_activeViewWidget.data()))
        previous->onActivateView(false);
    m_activeViewWidget = widget;
    if (view)
        view->onActivateView(true);
}

void CMainFrame::requestTitleUpdate()
{
    // After the child window's own handling of the change, which retitles a
    // maximized child's main window in its own way.
    QMetaObject::invokeMethod(this, &CMainFrame::updateTitle, Qt::QueuedConnection);
}

void CMainFrame::updateTitle()
{
    // The active document's window is named whether it is maximized or not.
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const QString name = active ? active->windowTitle() : QString();
    setWindowTitle(name.isEmpty() ? kTitle : QStringLiteral("%1 - [%2]").arg(kTitle, name));
}

CommandRouter::Chain CMainFrame::commandChain() const
{
    CommandRouter::Chain chain;
    if (ChildFrameBase* frame = activeChildFrame()) {
        if (View* view = frame->activeView()) {
            chain.push_back(view);
            chain.push_back(view->document());
        }
        chain.push_back(frame);
    }
    chain.push_back(const_cast<CMainFrame*>(this));
    chain.push_back(&m_app);
    return chain;
}

bool CMainFrame::executeCommand(CommandId id)
{
    // A note a command left in the message pane lasts until the next command.
    statusBar()->clearMessage();
    const bool ran = CommandRouter::execute(commandChain(), id);
    requestCommandUpdate();
    return ran;
}

void CMainFrame::updateCommandUI()
{
    m_updatePending = false;
    const CommandRouter::Chain chain = commandChain();
    for (QAction* action : m_actions) {
        const CommandState state = CommandRouter::query(chain, CommandId(action->data().toInt()));
        action->setEnabled(state.enabled);
        // A command that can be checked (a running Mark, View Toolbar) shows
        // it on its menu item and toolbar button from the first time it is.
        if (state.checked)
            action->setCheckable(true);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

void CMainFrame::requestCommandUpdate()
{
    if (m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, &CMainFrame::updateCommandUI);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The update pass runs when the program goes idle after user input, as a
    // document framework does; no timer polls.
    if (isUserInput(event->type()))
        requestCommandUpdate();
    // A key reaches its window once, then every widget it travels through: ask the keyboard once.
    if (watched->isWindowType() && isLockKeyEvent(event))
        refreshLockIndicators();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::setLockKeySource(std::unique_ptr<LockKeySource> source)
{
    m_lockKeys = std::move(source);
    refreshLockIndicators();
}

void CMainFrame::refreshLockIndicators()
{
    const std::optional<LockKeySource::State> state = m_lockKeys->state();
    for (int i = 0; i < 3; ++i) {
        const LockIndicator& indicator = kLockIndicators[i];
        const bool on = state && (*state).*indicator.on;
        m_lockIndicators[i]->setText(on ? QString::fromLatin1(indicator.text) : QString());
        const char* said = !state ? "state unknown" : on ? "on" : "off";
        m_lockIndicators[i]->setAccessibleDescription(QStringLiteral("%1 %2").arg(
            QString::fromLatin1(indicator.keyName), QString::fromLatin1(said)));
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_app.closeAllDocuments()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_app.openDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}
