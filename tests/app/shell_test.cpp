#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include "app/cmainframe.h"
#include "app/lockkeysource.h"
#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"

namespace {

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
class FedLockKeys final : public LockKeySource {
public:
    explicit FedLockKeys(std::optional<State>* state) : m_state(state) {}
    std::optional<State> state() const override { return *m_state; }

private:
    std::optional<State>* m_state;
};

QStringList lockIndicatorTexts(CMainFrame& frame)
{
    QStringList texts;
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        if (QStringList{"CAP", "NUM", "SCRL"}.contains(label->accessibleName()))
            texts << label->text();
    return texts;
}

QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithoutDocument()
    {
        AppFixture fx;
        QVERIFY(fx.frame().isMaximized());
        QCOMPARE(fx.windowCount(), 0);
        QCOMPARE(fx.frame().windowTitle(), QStringLiteral("Vellmar"));
        QCOMPARE(fx.frame().statusBar()->currentMessage(), QStringLiteral("For Help, press F1"));
        // No recent file yet: the list shows its greyed placeholder.
        QCOMPARE(menuTexts(fx.frame()), definedMenus(WindowState::NoDocument, {"Recent File"}));
    }

    void startsWithFileInAMaximisedWindow()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("one.bin"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("A") == 1);
        f.close();
        AppFixture fx({f.fileName()});
        QCOMPARE(fx.windowCount(), 1);
        QVERIFY(fx.frame().mdiArea()->activeSubWindow()->isMaximized());
        QVERIFY(!fx.activeDoc()->isModified());
        QCOMPARE(fx.frame().windowTitle(), QStringLiteral("Vellmar - [one.bin]"));
        QList<QStringList> menus = definedMenus(WindowState::PlainDocument, {"&1 " + absolute(f.fileName())});
        menus[6] << "---" << "&1 one.bin";  // the window list
        QCOMPARE(menuTexts(fx.frame()), menus);
    }

    // New, Save As, Export, Close and Exit on untitled documents.
    void untitledDocumentsAreSavedExportedAndGuardedOnClose()
    {
        AppFixture fx;
        fx.prompter().answerFile(QString());
        fx.run(CommandId::ImportHexValuesText);  // cancelled: uses no number
        QCOMPARE(fx.windowCount(), 0);
        QVERIFY(fx.run(CommandId::FileNew));
        QVERIFY(fx.activeDoc()->isModified());
        QCOMPARE(fx.activeDoc()->title(), QStringLiteral("Vellmar1"));

        const QString out = fx.writeFile("export.txt", QByteArray(5000, 'x'));  // longer than the listing
        fx.prompter().answerFile(out);
        QVERIFY(fx.run(CommandId::ExportHexDisplayText));
        QCOMPARE(fx.prompter().asked().back().text, QStringLiteral("Select the file to save the hex display"));
        QCOMPARE(fx.prompter().asked().back().request.filter,
                 QStringLiteral("Text Files (*.txt);;Document Files (*.doc);;All Files (*.*)"));
        QCOMPARE(AppFixture::readFile(out), fx.activeView()->text());

        fx.prompter().clear();
        fx.prompter().answer(Prompter::Answer::Cancel);
        fx.run(CommandId::FileClose);
        QCOMPARE(fx.prompter().messages(), QStringList{"Save changes to Vellmar1?"});
        QCOMPARE(fx.windowCount(), 1);
        fx.prompter().answerFile(fx.path("new.bin"));
        QVERIFY(fx.run(CommandId::FileSave));
        QCOMPARE(AppFixture::readFile(fx.path("new.bin")), QByteArray(32, 0));
        QCOMPARE(fx.activeDoc()->title(), QStringLiteral("new.bin"));

        fx.run(CommandId::FileNew);
        fx.run(CommandId::FileNew);
        QCOMPARE(fx.activeDoc()->title(), QStringLiteral("Vellmar3"));
        fx.prompter().clear();
        fx.prompter().answer(Prompter::Answer::No);
        fx.prompter().answer(Prompter::Answer::Cancel);
        fx.run(CommandId::AppExit);
        QCOMPARE(fx.prompter().messages(), (QStringList{"Save changes to Vellmar2?", "Save changes to Vellmar3?"}));
        QCOMPARE(fx.windowCount(), 3);
        QVERIFY(fx.frame().isVisible());
        fx.prompter().answer(Prompter::Answer::No);
        fx.frame().mdiArea()->activeSubWindow()->close();
        QCoreApplication::processEvents();
        QCOMPARE(fx.windowCount(), 2);
        fx.prompter().answerFile(fx.writeFile("values.txt", "41 42 43\n0x41, 0x4"));
        QVERIFY(fx.run(CommandId::ImportHexValuesText));
        QCOMPARE(fx.prompter().asked().back().text, QStringLiteral("Select file for importing hex values text"));
        QCOMPARE(fx.activeDoc()->bytes().copy(0, 5), (ByteBuffer{0x41, 0x42, 0x43, 0x41}));
        QVERIFY(fx.activeDoc()->pathName().isEmpty() && fx.activeDoc()->isModified());
        QCOMPARE(fx.app().importFlag(), 0);
    }

    // A failed open says why and closes nothing; opening an open file activates its window.
    void failedOpensKeepTheWindows()
    {
        AppFixture fx;
        const QString file = fx.writeFile("same.bin", "abc");
        Document* first = fx.app().openDocumentFile(file);
        fx.run(CommandId::FileNew);
        QCOMPARE(fx.app().openDocumentFile(file), first);
        QCOMPARE(fx.activeDoc(), first);
        QFile big(fx.path("big.bin"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 32));  // sparse: no disk space used
        big.close();
        QVERIFY(!fx.app().openDocumentFile(fx.path("missing.bin")));
        QVERIFY(!fx.app().openDocumentFile(big.fileName()));
        QCOMPARE(fx.prompter().messages(),
                 (QStringList{"Fail to open the file because No such file or directory",
                              "Fail to open the file because it is 4 GB or larger: " + big.fileName()
                                  + "\nVellmar shows 8-digit addresses and opens files below 4 GB."}));
        QCOMPARE(fx.windowCount(), 2);
    }

    // The list keeps the four newest; an "&" in a name shows as itself and the item opens that name.
    void recentFileListKeepsTheFourNewest()
    {
        AppFixture fx;
        QStringList opened;
        for (const char* name : {"f0.bin", "f1.bin", "f2.bin", "f3.bin", "a&b.bin"}) {
            opened.prepend(absolute(fx.writeFile(QString::fromLatin1(name), "x")));
            QVERIFY(fx.app().openDocumentFile(opened.front()));
        }
        QCoreApplication::processEvents();
        const QList<QStringList> menus = menuTexts(fx.frame());
        const QStringList file = menus.front();
        QCOMPARE(file.mid(file.indexOf("&1 " + QString(opened.at(0)).replace("&", "&&")), 4),
                 (QStringList{"&1 " + QString(opened.at(0)).replace("&", "&&"), "&2 " + opened.at(1),
                              "&3 " + opened.at(2), "&4 " + opened.at(3)}));
        QCOMPARE(menus[6].last(), QStringLiteral("&5 a&&b.bin"));
        fx.run(CommandId::FileClose);
        fx.run(CommandId::RecentFile1);
        QCOMPARE(fx.windowCount(), 5);
        QCOMPARE(fx.activeDoc()->pathName(), opened.at(0));
    }

    void lockIndicatorsShowTheKeyboardsState()
    {
        std::optional<LockKeySource::State> keyboard = LockKeySource::State{true, false, true};
        AppFixture fx;
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"", "", ""}));  // offscreen: unknown
        fx.frame().setLockKeySource(std::make_unique<FedLockKeys>(&keyboard));
        // Caps Lock on at start-up shows as on, not as the opposite.
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"CAP", "", "SCRL"}));
        keyboard = LockKeySource::State{false, true, true};
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_NumLock);
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"", "NUM", "SCRL"}));
        keyboard->scrollLock = false;
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_A);  // not a lock key: not asked
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"", "NUM", "SCRL"}));
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_ScrollLock);
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"", "NUM", ""}));
        keyboard.reset();
        QTest::keyClick(fx.frame().windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(lockIndicatorTexts(fx.frame()), (QStringList{"", "", ""}));
        QVERIFY(fx.frame().statusBar()->findChild<QLabel*>()->accessibleDescription().endsWith("state unknown"));
    }

    void helpOpensCentredOverTheMainWindowAndEscapeClosesIt()
    {
        AppFixture fx;
        fx.frame().showNormal();
        fx.frame().setGeometry(20, 20, 760, 570);  // room for the guide on the 800 x 600 screen
        QVERIFY(fx.run(CommandId::HelpFinder));
        QWidget* guide = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("userGuideWindow"))
                guide = window;
        QVERIFY(guide && QTest::qWaitForWindowActive(guide));
        QCOMPARE(guide->geometry().center(), fx.frame().geometry().center());
        QTest::keyClick(guide, Qt::Key_Escape);
        QVERIFY(!guide->isVisible());
    }

    void mainTitleFollowsTheActiveDocumentInEveryWindowState()
    {
        AppFixture fx;
        fx.app().openDocumentFile(fx.writeFile("a.bin", "a"));
        fx.app().openDocumentFile(fx.writeFile("b.bin", "b"));
        QMdiArea* area = fx.frame().mdiArea();
        area->activeSubWindow()->showNormal();
        const auto titleAfter = [&fx](const std::function<void()>& change) {
            change();
            QCoreApplication::processEvents();
            return fx.frame().windowTitle();
        };
        QCOMPARE(titleAfter([] {}), QStringLiteral("Vellmar - [b.bin]"));
        QCOMPARE(titleAfter([area] { area->activatePreviousSubWindow(); }), QStringLiteral("Vellmar - [a.bin]"));
        QCOMPARE(titleAfter([area] { area->activeSubWindow()->showMaximized(); }), QStringLiteral("Vellmar - [a.bin]"));
        QCOMPARE(titleAfter([area] { area->activeSubWindow()->showMinimized(); }), QStringLiteral("Vellmar - [a.bin]"));
        QCOMPARE(titleAfter([&fx] { fx.run(CommandId::WindowNew); }), QStringLiteral("Vellmar - [a.bin:2]"));
        QCOMPARE(titleAfter([area] { area->closeAllSubWindows(); }), QStringLiteral("Vellmar"));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
