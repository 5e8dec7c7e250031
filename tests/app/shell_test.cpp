#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTest>
#include <QToolBar>

#include <map>
#include <set>
#include <tuple>

#include "app/actionfactory.h"
#include "app/cmainframe.h"
#include "app/commandline.h"
#include "app/commandtable.h"
#include "app/lockkeysource.h"
#include "serial/cdriverinfodlg.h"
#include "serial/driverinfolines.h"
#include "support/openedfile.h"

namespace {

const WindowState kStates[] = {WindowState::NoDocument, WindowState::PlainDocument, WindowState::ComPanel,
                               WindowState::Comparison};

/// The menu bar as text: one entry per menu, its title then its items ("---" for separators).
QList<QStringList> menuTexts(CMainFrame& frame)
{
    QList<QStringList> menus;
    for (QAction* top : frame.menuBar()->actions()) {
        emit top->menu()->aboutToShow();
        QStringList items{top->text()};
        for (QAction* item : top->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("---") : item->text());
        menus << items;
    }
    return menus;
}

/// The menu bar a state's definition makes, with these recent-file items and no window list.
QList<QStringList> definedMenus(WindowState state, const QStringList& recentFiles)
{
    QList<QStringList> menus;
    for (const MenuDefinition& menu : menuBarDefinition(state)) {
        QStringList items{menu.title};
        for (const MenuItem& item : menu.items) {
            if (item.kind == MenuItem::Kind::RecentFiles)
                items << recentFiles;
            else if (item.kind != MenuItem::Kind::WindowList)
                items << (item.kind == MenuItem::Kind::Command ? item.text : QStringLiteral("---"));
        }
        menus << items;
    }
    return menus;
}

/// Lock key states as a test sets them; unknown until set.
struct FedLockKeys final : LockKeySource {
    explicit FedLockKeys(std::optional<State>* fed) : m_fed(fed) {}
    std::optional<State> state() const override { return *m_fed; }
    std::optional<State>* m_fed;
};

/// The texts of the status bar panes with these accessible names, in this order.
QStringList paneTexts(CMainFrame& frame, const QStringList& names)
{
    QMap<QString, QString> byName;
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        byName.insert(label->accessibleName(), label->text());
    QStringList texts;
    for (const QString& name : names)
        texts << byName.value(name, QStringLiteral("no pane"));
    return texts;
}

QStringList lockTexts(CMainFrame& frame) { return paneTexts(frame, {"CAP", "NUM", "SCRL"}); }

QStringList caretTexts(CMainFrame& f) { return paneTexts(f, {"Caret offset", "Selection", "Byte value", "Document state"}); }

/// The controls of a window (what the keyboard reaches, and every button,
/// toolbar buttons too) that a screen reader cannot name: no name at all, or
/// only the object name meant for code. A control whose focus goes to another
/// (an editable combo box's line edit) is named by that other.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        const bool control = (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(widget);
        if (!control || widget->focusProxy() || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        const QString name = accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty() || name == widget->objectName())
            unnamed << window->windowTitle() + ": " + widget->metaObject()->className() + " " + widget->objectName();
    }
    return unnamed;
}

/// Exit code, standard output and error of the built program, run with a home of its own and a platform
/// that does not exist, which aborts the program should it try to open a window.
QStringList runVellmar(const QString& arguments, const QString& home)
{
    QProcess process;  // the later of two settings of a variable counts
    process.setEnvironment(QProcess::systemEnvironment() << "QT_QPA_PLATFORM=no-display" << "HOME=" + home
                                                         << "XDG_CONFIG_HOME=" + home + "/.config");
    process.start(VELLMAR_BINARY, arguments.split(' '));
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {QString::number(ended ? process.exitCode() : -1), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QSet<QString> captures(const QString& html, const char* pattern)
{
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QLatin1String(pattern)).globalMatch(html))
        found.insert(m.captured(1));
    return found;
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    // Across every window state: separators stand only between items, one text runs one command, a key shown
    // in a menu is bound to that command, and every command of a menu, toolbar or key has its prompt. Each
    // binding is one key in the portable form (written back it reads the same), bound once, and keys whose
    // names differ between key tables mean the key intended. Every toolbar icon loads and every icon is used.
    void menusToolbarsKeysAndIconsAgree()
    {
        std::map<QString, CommandId> commandOfText;
        std::set<CommandId> used;
        for (WindowState state : kStates) {
            for (const MenuDefinition& menu : menuBarDefinition(state)) {
                QVERIFY(!menu.items.empty() && menu.items.back().kind != MenuItem::Kind::Separator);
                for (std::size_t i = 0; i < menu.items.size(); ++i) {
                    const MenuItem& item = menu.items[i];
                    if (item.kind == MenuItem::Kind::Separator)
                        QVERIFY(i > 0 && menu.items[i - 1].kind != MenuItem::Kind::Separator);
                    if (item.kind != MenuItem::Kind::Command)
                        continue;
                    used.insert(item.id);
                    QCOMPARE(commandOfText.emplace(item.text, item.id).first->second, item.id);
                    const QString shown = item.text.section('\t', 1);
                    QVERIFY2(shown.isEmpty() || std::ranges::any_of(acceleratorTable(), [&](const AcceleratorBinding& b) {
                                 return b.keys == shown && b.id == item.id;
                             }), qPrintable(item.text));
                }
            }
        }
        QSet<QString> icons{":/icons/vellmar.svg"};
        std::vector<ToolBarDefinition> toolBars = toolBarDefinitions();
        toolBars.push_back(compareToolBarDefinition());
        for (const ToolBarDefinition& toolBar : toolBars) {
            for (const ToolBarButton& button : toolBar.buttons) {
                if (!button.separator) {
                    QCOMPARE(commandIconName(*used.insert(button.id).first), button.iconName);
                    QVERIFY(!commandIcon(button.id).pixmap(16, 16).isNull());
                    QCOMPARE(QSvgRenderer(button.iconName).viewBox(), QRect(0, 0, 16, 16));
                    icons.insert(button.iconName);
                }
            }
        }
        QSet<QString> present;
        for (const QString& file : QDir(":/icons").entryList())
            present.insert(":/icons/" + file);
        QCOMPARE(present, icons);
        QHash<int, CommandId> bound;
        for (const AcceleratorBinding& binding : acceleratorTable()) {
            used.insert(binding.id);
            const QKeySequence keys = QKeySequence::fromString(binding.keys, QKeySequence::PortableText);
            QVERIFY2(keys.count() == 1 && keys[0].key() != Qt::Key_unknown, qPrintable(binding.keys));
            QCOMPARE(keys.toString(QKeySequence::PortableText), binding.keys);
            QVERIFY2(!bound.contains(keys[0].toCombined()), qPrintable(binding.keys + " bound twice"));
            bound.insert(keys[0].toCombined(), binding.id);
        }
        QCOMPARE(bound.value(QKeyCombination(Qt::Key_Delete).toCombined()), CommandId::DeleteBytes);
        QCOMPARE(bound.value(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert).toCombined()), CommandId::PasteBytes);
        QCOMPARE(bound.value(QKeyCombination(Qt::AltModifier, Qt::Key_Backspace).toCombined()), CommandId::EditUndo);
        for (CommandId id : used)
            QVERIFY2(!statusPrompt(id).isEmpty(), qPrintable(QString::number(int(id))));
        QCOMPARE(commandPrompts().size(), 75u);
        QCOMPARE(statusPrompt(CommandId::GoTo) + '\n' + toolTipText(CommandId::GoTo), commandPromptString(CommandId::GoTo));
        QVERIFY(commandPromptString(CommandId(12345)).isEmpty() && commandIconName(CommandId(12345)).isEmpty());
    }

    // Help and version print and open no window, also after Qt's own options; an unknown option is a usage error.
    void optionsPrintAndEndTheProgram()
    {
        QTemporaryDir home;
        const QString usage = "Usage: vellmar [options] [FILE...]\n";
        const char* const options[] = {"--help some.bin", "-h", "--version", "-style=fusion -reverse --platform offscreen -v"};
        for (int i = 0; i < 4; ++i) {
            const QStringList run = runVellmar(options[i], home.path());
            QCOMPARE(run.at(0), "0");
            if (i < 2)
                QVERIFY2(run.at(1).startsWith(usage) && run.at(1).contains("Files to open, each as a hex document.")
                             && run.at(1).contains(home.path() + "/.config/Varn Technology/Vellmar.ini")
                             && run.at(1).contains("--version"), qPrintable(run.at(1)));
            else
                QCOMPARE(run.at(1), "Vellmar 2.12\n");
        }
        for (const QString option : {"--bogus", "-x"}) {
            const QStringList run = runVellmar(option, home.path());
            QCOMPARE(run.mid(0, 2), (QStringList{"2", ""}));
            QVERIFY2(run.at(2).contains("vellmar: Unknown option '" + QString(option).remove('-') + "'.\n" + usage),
                     qPrintable(run.at(2)));
        }
        QCOMPARE(CommandLine::parse({"/usr/bin/vellmar", "a.bin", "--", "-dash.bin", "b c.bin"}).files(),
                 (QStringList{"a.bin", "-dash.bin", "b c.bin"}));
    }

    // Every file opens in a maximised window and a failed one says why; when the only file fails, the start-up ends.
    // The main title follows the active document.
    void everyFileOpensAndAFailedOneSaysWhy()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("missing.bin");
        const QStringList why{"Fail to open the file because No such file or directory"};
        const QString first = dir.filePath("first.bin"), second = dir.filePath("second.bin");
        for (const QString& path : {first, second}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
        }
        {
            AppFixture fx({first, missing, second});
            QCOMPARE(fx.windowCount(), 2);
            QCOMPARE(fx.prompter().messages(), why);
            QVERIFY(fx.frame().isVisible() && fx.frame().mdiArea()->activeSubWindow()->isMaximized());
            QVERIFY(!fx.activeDoc()->isModified());
            QCOMPARE(fx.frame().windowTitle(), "Vellmar - [second.bin]");
            QList<QStringList> menus = definedMenus(WindowState::PlainDocument, {"&1 " + second, "&2 " + first});
            menus[6] << "---" << "&1 first.bin" << "&2 second.bin";  // the window list
            QCOMPARE(menuTexts(fx.frame()), menus);
            // The main title follows the active document whatever the state of its window.
            QMdiArea* area = fx.frame().mdiArea();
            area->activeSubWindow()->showNormal();
            const auto titleAfter = [&fx](const std::function<void()>& change) {
                change();
                QCoreApplication::processEvents();
                return fx.frame().windowTitle();
            };
            QCOMPARE(titleAfter([area] { area->activatePreviousSubWindow(); }), "Vellmar - [first.bin]");
            QCOMPARE(titleAfter([area] { area->activeSubWindow()->showMaximized(); }), "Vellmar - [first.bin]");
            QCOMPARE(titleAfter([area] { area->activeSubWindow()->showMinimized(); }), "Vellmar - [first.bin]");
            QCOMPARE(titleAfter([&fx] { fx.run(CommandId::WindowNew); }), "Vellmar - [first.bin:2]");
            QCOMPARE(titleAfter([area] { area->closeAllSubWindows(); }), "Vellmar");
        }
        ScriptedPrompter prompter;
        CVellmarApp app;
        QVERIFY(!app.initInstance({missing}));
        QCOMPARE(prompter.messages(), why);
        QVERIFY(!app.mainFrame()->isVisible());
    }

    // New, Save As, Export, Close and Exit on untitled documents.
    void untitledDocumentsAreSavedExportedAndGuardedOnClose()
    {
        AppFixture fx;
        fx.prompter().answerFile(QString());
        fx.run(CommandId::ImportHexValuesText);  // cancelled: uses no number
        QCOMPARE(fx.windowCount(), 0);
        QVERIFY(fx.run(CommandId::FileNew));  // modified from the start: closing asks

        const QString out = fx.writeFile("export.txt", QByteArray(5000, 'x'));  // longer than the listing
        fx.prompter().answerFile(out);
        QVERIFY(fx.run(CommandId::ExportHexDisplayText));
        QCOMPARE(AppFixture::readFile(out), fx.activeView()->text());

        fx.prompter().answer(Prompter::Answer::Cancel);
        fx.run(CommandId::FileClose);
        QCOMPARE(fx.prompter().messages(), QStringList{"Save changes to Vellmar1?"});
        QCOMPARE(fx.windowCount(), 1);
        fx.prompter().answerFile(fx.path("new.bin"));
        QVERIFY(fx.run(CommandId::FileSave));
        QCOMPARE(AppFixture::readFile(fx.path("new.bin")), QByteArray(32, 0));
        QCOMPARE(fx.activeDoc()->title(), "new.bin");

        fx.run(CommandId::FileNew);
        fx.run(CommandId::FileNew);
        fx.prompter().answer(Prompter::Answer::No);
        fx.prompter().answer(Prompter::Answer::Cancel);
        fx.run(CommandId::AppExit);
        QCOMPARE(fx.prompter().messages().mid(1), (QStringList{"Save changes to Vellmar2?", "Save changes to Vellmar3?"}));
        QVERIFY(fx.windowCount() == 3 && fx.frame().isVisible());
        fx.prompter().answer(Prompter::Answer::No);
        fx.frame().mdiArea()->activeSubWindow()->close();
        QCoreApplication::processEvents();
        QCOMPARE(fx.windowCount(), 2);
        fx.prompter().answerFile(fx.writeFile("values.txt", "41 42 43\n0x41, 0x4"));
        QVERIFY(fx.run(CommandId::ImportHexValuesText));
        QCOMPARE(fx.prompter().asked().back().text, "Select file for importing hex values text");
        QCOMPARE(fx.activeDoc()->bytes().copy(0, 5), (ByteBuffer{0x41, 0x42, 0x43, 0x41}));
        QVERIFY(fx.activeDoc()->pathName().isEmpty() && fx.activeDoc()->isModified());
        QCOMPARE(fx.app().importFlag(), 0);
    }

    // The list keeps the four newest; an "&" in a name shows as itself and the item opens that name.
    // Opening an open file activates its window; a failed open says why and closes nothing.
    void recentFileListKeepsTheFourNewest()
    {
        AppFixture fx;
        QStringList opened;
        for (const char* name : {"f0.bin", "f1.bin", "f2.bin", "f3.bin", "a&b.bin"}) {
            opened.prepend(QFileInfo(fx.writeFile(name, "x")).absoluteFilePath());
            QVERIFY(fx.app().openDocumentFile(opened.front()));
        }
        QCoreApplication::processEvents();
        const QList<QStringList> menus = menuTexts(fx.frame());
        const QStringList file = menus.front();
        const QString newest = "&1 " + QString(opened.at(0)).replace("&", "&&");
        QCOMPARE(file.mid(file.indexOf(newest), 4),
                 (QStringList{newest, "&2 " + opened.at(1), "&3 " + opened.at(2), "&4 " + opened.at(3)}));
        QCOMPARE(menus[6].last(), "&5 a&&b.bin");
        fx.run(CommandId::FileClose);
        fx.run(CommandId::RecentFile1);
        QCOMPARE(fx.activeDoc()->pathName(), opened.at(0));
        fx.run(CommandId::FileNew);  // an untitled document, which the search for an open file passes over
        QVERIFY(fx.app().openDocumentFile(opened.at(1)));  // open already: its window comes forward
        QCOMPARE(fx.activeDoc()->pathName(), opened.at(1));
        const QString big = fx.writeFile("big.bin", {});
        QVERIFY(QFile::resize(big, qint64(1) << 32));  // sparse: no disk space used
        QVERIFY(!fx.app().openDocumentFile(fx.path("missing.bin")));
        QVERIFY(!fx.app().openDocumentFile(big));
        QCOMPARE(fx.prompter().messages(),
                 (QStringList{"Fail to open the file because No such file or directory",
                              "Fail to open the file because it is 4 GB or larger: " + big
                                  + "\nVellmar shows 8-digit addresses and opens files below 4 GB."}));
        QCOMPARE(fx.windowCount(), 6);
        // Without a tooltip of its own an item says its text, without the mnemonic and the keys.
        QAction* recent = makeCommandAction(CommandId::RecentFile2, "&2 Tom && Jerry.bin\tX", &fx.frame());
        QCOMPARE(recent->statusTip(), "Open this document");
        QCOMPARE(recent->toolTip(), "2 Tom & Jerry.bin");
    }

    // Started without a file: no window; the lock indicators show the keyboard's state; the guide opens.
    void startsWithoutDocumentShowsTheLockKeysAndTheGuide()
    {
        std::optional<LockKeySource::State> keyboard = LockKeySource::State{true, false, true};
        AppFixture fx;
        QVERIFY(fx.frame().isMaximized() && fx.windowCount() == 0);
        QCOMPARE(fx.frame().windowTitle(), "Vellmar");
        QCOMPARE(fx.frame().statusBar()->currentMessage(), "For Help, press F1");
        // No recent file yet: the list shows its greyed placeholder.
        QCOMPARE(menuTexts(fx.frame()), definedMenus(WindowState::NoDocument, {"Recent File"}));
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"", "", ""}));  // offscreen: unknown
        fx.frame().setLockKeySource(std::make_unique<FedLockKeys>(&keyboard));
        // Caps Lock on at start-up shows as on, not as the opposite.
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"CAP", "", "SCRL"}));
        keyboard = LockKeySource::State{false, true, true};
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_NumLock);
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"", "NUM", "SCRL"}));
        keyboard->scrollLock = false;
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_A);  // not a lock key: not asked
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"", "NUM", "SCRL"}));
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_ScrollLock);
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"", "NUM", ""}));
        keyboard.reset();
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(lockTexts(fx.frame()), (QStringList{"", "", ""}));
        QVERIFY(fx.frame().statusBar()->findChild<QLabel*>()->accessibleDescription().endsWith("state unknown"));
        // The guide opens centred over the main window, Escape closes it; every entry of its contents leads to
        // an anchor.
        fx.frame().showNormal();
        fx.frame().setGeometry(20, 20, 760, 570);  // room for the guide on the 800 x 600 screen
        QVERIFY(fx.run(CommandId::HelpFinder));
        QWidget* guide = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("userGuideWindow"))
                guide = window;
        QVERIFY(guide && QTest::qWaitForWindowActive(guide) && guide->windowModality() == Qt::NonModal);
        QCOMPARE(guide->geometry().center(), fx.frame().geometry().center());
        QTest::keyClick(guide, Qt::Key_Escape);
        QVERIFY(!guide->isVisible());
        QFile file(":/userguide.html");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QSet<QString> links = captures(html, "href=\"#(\\w+)\"");
        QVERIFY(links.contains("listing") && links.contains("settings"));
        QCOMPARE(links, captures(html, "name=\"(\\w+)\""));
    }

    void panesFollowTheCaretTheSelectionAndTyping()
    {
        const std::tuple<const char*, Qt::Key, Qt::KeyboardModifiers, QStringList> steps[] = {  // typed, key, panes
            {"", Qt::Key_unknown, {}, {"Offset: 0 (0)", "", "Value: 41 (65) 'A'", ""}},
            {"7e", Qt::Key_unknown, {}, {"Offset: 1 (1)", "", "Value: 42 (66) 'B'", "Modified"}},
            {"", Qt::Key_Down, {}, {"Offset: 11 (17)", "", "Value: 00 (0) '.'", "Modified"}},
            {"", Qt::Key_End, Qt::ShiftModifier,
             {"Offset: 11 (17)", "Selection: 11-1F (15 bytes)", "Value: 00 (0) '.'", "Modified"}},
            {"", Qt::Key_End, Qt::ControlModifier, {"Offset: 28 (40)", "", "", "Modified"}},
        };
        OpenedFile o("AB" + QByteArray(38, '\0'));
        for (const auto& [typed, key, modifiers, panes] : steps) {
            QTest::keyClicks(o.view, QLatin1String(typed));
            if (key != Qt::Key_unknown)
                QTest::keyClick(o.view, key, modifiers);
            QCoreApplication::processEvents();
            QCOMPARE(caretTexts(o.fx.frame()), panes);
        }
        QVERIFY(o.fx.run(CommandId::EditUndo));
        QCOMPARE(caretTexts(o.fx.frame()), (QStringList{"Offset: 0 (0)", "Selection: 0-0 (1 byte)", "Value: 41 (65) 'A'", ""}));
        QVERIFY(o.fx.run(CommandId::FileClose));
        QCOMPARE(caretTexts(o.fx.frame()), (QStringList{"", "", "", ""}));
    }

    // In every window state: the modal dialogs the commands open, walked while each is open, then the
    // modeless windows, which open side by side with the main window. Toolbar buttons say their tooltip.
    void everyFocusableControlHasAName()
    {
        QStringList unnamed;
        for (WindowState state : kStates) {
            AppFixture fx;
            fx.enterWindowState(state);
            QCOMPARE(fx.frame().windowState(), state);
            std::vector<CommandId> modals{CommandId::AppAbout, CommandId::SetDefault, CommandId::MaxComPort};
            if (state == WindowState::PlainDocument)
                modals.insert(modals.end(), {CommandId::GoTo, CommandId::SelectBytes, CommandId::CurrentSettings});
            std::size_t opened = 0;
            for (CommandId id : modals) {
                AppFixture::onNextModal([&](QDialog& dialog) { ++opened; unnamed << unnamedControls(&dialog); });
                fx.run(id);
            }
            QCOMPARE(opened, modals.size());  // each command opened its dialog
            // The utility windows from the Help menu, which offers them in every state, and the guide.
            for (QAction* item : fx.frame().menuBar()->actions().last()->menu()->actions())
                if (item->text() == "ASCII Table..." || item->text() == "Notation Convert...") {
                    QVERIFY(item->isEnabled());
                    item->trigger();
                }
            fx.run(CommandId::HelpFinder);
            for (const char* name : {"asciiTableWindow", "notationConvertWindow"})
                QVERIFY2(fx.frame().findChild<QDialog*>(name)->isVisible(), name);
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible())
                    unnamed << unnamedControls(window);
            for (QToolBar* bar : fx.frame().findChildren<QToolBar*>())
                for (QAction* action : bar->actions())
                    if (!action->isSeparator() && bar->widgetForAction(action))
                        QCOMPARE(QAccessible::queryAccessibleInterface(bar->widgetForAction(action))->text(QAccessible::Name),
                                 action->toolTip());
        }
        CDriverInfoDlg report("COM1", DriverInfoLines::of(CommProperties{}), "/dev/ttyS0", nullptr);
        report.show();
        unnamed << unnamedControls(&report);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
