#include "app/aboutdialog.h"
#include "app/actionfactory.h"
#include "app/commandtable.h"
#include "app/menudefinitions.h"
#include "app/userguidewindow.h"
#include "res/resources.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QtTest>

namespace {

void checkSvg(const QString& name)
{
    QVERIFY2(!QIcon(name).isNull(), qPrintable(name));
    QVERIFY2(!QIcon(name).pixmap(16, 16).isNull(), qPrintable(name));
    QSvgRenderer renderer(name);
    QVERIFY2(renderer.isValid(), qPrintable(name));
    QCOMPARE(renderer.viewBox(), QRect(0, 0, 16, 16));
}

QString guideHtml()
{
    QFile file(QStringLiteral(":/userguide.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

class ShellGuiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initVellmarResources(); }

    void everyToolBarIconLoadsAndEveryIconFileIsUsed()
    {
        QSet<QString> used{QStringLiteral(":/icons/vellmar.svg")};
        std::vector<ToolBarDefinition> toolBars = toolBarDefinitions();
        toolBars.push_back(compareToolBarDefinition());
        for (const ToolBarDefinition& toolBar : toolBars) {
            for (const ToolBarButton& button : toolBar.buttons) {
                if (button.separator)
                    continue;
                used.insert(button.iconName);
                QVERIFY(!commandIcon(button.id).isNull());
            }
        }
        for (const QString& name : used)
            checkSvg(name);
        QSet<QString> present;
        for (const QString& file : QDir(QStringLiteral(":/icons")).entryList())
            present.insert(QStringLiteral(":/icons/") + file);
        QCOMPARE(present, used);
    }

    void acceleratorKeysParseAndAreUnique()
    {
        QSet<int> seen;
        for (const AcceleratorBinding& binding : acceleratorTable()) {
            const QKeySequence keys = QKeySequence::fromString(binding.keys, QKeySequence::PortableText);
            QVERIFY2(keys.count() == 1, qPrintable(binding.keys));
            QVERIFY2(keys[0].key() != Qt::Key_unknown, qPrintable(binding.keys));
            // Written back it must read the same, or the string was not in the portable form.
            QCOMPARE(keys.toString(QKeySequence::PortableText), binding.keys);
            QVERIFY2(!seen.contains(keys[0].toCombined()), qPrintable(binding.keys + QStringLiteral(" bound twice")));
            seen.insert(keys[0].toCombined());
        }
    }

    void acceleratorKeysMeanTheIntendedKeys()
    {
        // Keys whose names differ between key tables: the binding must mean the key and command intended.
        const struct {
            const char* keys;
            QKeyCombination combination;
            CommandId id;
        } cases[] = {
            {"Del", QKeyCombination(Qt::Key_Delete), CommandId::DeleteBytes},
            {"Ins", QKeyCombination(Qt::Key_Insert), CommandId::InsertBytes},
            {"Shift+Del", QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete), CommandId::CutBytes},
            {"Ctrl+Ins", QKeyCombination(Qt::ControlModifier, Qt::Key_Insert), CommandId::CopyBytes},
            {"Shift+Ins", QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert), CommandId::PasteBytes},
            {"Alt+Backspace", QKeyCombination(Qt::AltModifier, Qt::Key_Backspace), CommandId::EditUndo},
            {"Ctrl+Shift+Z", QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z), CommandId::EditRedo},
            {"Shift+F6", QKeyCombination(Qt::ShiftModifier, Qt::Key_F6), CommandId::PrevPane},
        };
        for (const auto& c : cases) {
            const QString keys = QString::fromLatin1(c.keys);
            const auto binding = std::find_if(acceleratorTable().begin(), acceleratorTable().end(),
                                              [&](const AcceleratorBinding& b) { return b.keys == keys; });
            QVERIFY2(binding != acceleratorTable().end(), c.keys);
            QCOMPARE(binding->id, c.id);
            QCOMPARE(QKeySequence::fromString(keys, QKeySequence::PortableText)[0], c.combination);
        }
    }

    void commandActionCarriesTheCommandTexts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("hasIcon");

        QTest::newRow("New") << int(CommandId::FileNew) << "&New\tCtrl+N" << "Create a new document" << "New" << true;
        QTest::newRow("Go To") << int(CommandId::GoTo) << "&Go To...\tCtrl+G"
                               << "Go to hightlight the byte at specified address" << "Go To" << false;
        QTest::newRow("Compare") << int(CommandId::Compare) << "Co&mpare..." << "Compare the structure of two files"
                                 << "File Compare" << true;
        QTest::newRow("Stop Receive") << int(CommandId::StopReceive) << "Stop Receive\tF12"
                                      << "Stop receiving the bytes from the com port" << "Stop Receive" << true;
        QTest::newRow("About") << int(CommandId::AppAbout) << "&About Vellmar..."
                               << "Display program information, version number and copyright" << "About" << false;
    }

    void commandActionCarriesTheCommandTexts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(QString, statusTip);
        QFETCH(QString, toolTip);
        QFETCH(bool, hasIcon);

        QObject owner;
        QAction* action = makeCommandAction(static_cast<CommandId>(id), text, &owner);
        QCOMPARE(action->parent(), &owner);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->statusTip(), statusTip);
        QCOMPARE(action->whatsThis(), statusTip);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->objectName(), QStringLiteral("command_%1").arg(id));
        QCOMPARE(action->data().toInt(), id);
        QCOMPARE(!action->icon().isNull(), hasIcon);
    }

    void commandActionFallsBackToPlainTextTooltip()
    {
        QObject owner;
        QAction* recent = makeCommandAction(CommandId::RecentFile2, QStringLiteral("&2 Tom && Jerry.bin\tX"), &owner);
        QCOMPARE(recent->statusTip(), QStringLiteral("Open this document"));
        QCOMPARE(recent->toolTip(), QStringLiteral("2 Tom & Jerry.bin"));
    }

    void aboutBoxShowsIconVersionAndOk()
    {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Vellmar"));
        QVERIFY(!dialog.windowIcon().isNull());

        const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("aboutIcon"));
        QVERIFY(icon);
        QVERIFY(!icon->pixmap().isNull());
        const auto* version = dialog.findChild<QLabel*>(QStringLiteral("aboutVersion"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Vellmar Version 2.12"));

        const auto* buttonBox = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttonBox);
        QCOMPARE(buttonBox->buttons().size(), 1);
        QPushButton* ok = buttonBox->button(QDialogButtonBox::Ok);
        QVERIFY(ok);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void userGuideIsNonModalAndHasEverySection()
    {
        UserGuideWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Vellmar User Guide"));
        QVERIFY(window.isWindow());
        QCOMPARE(window.windowModality(), Qt::NonModal);

        const QString text = window.browser()->toPlainText();
        for (const char* phrase : {"32 bytes of value 0", "Import Hex Values Text", "Export Hex Display Text",
                                   "~/.config/Varn Technology/Vellmar.ini", "safe replace", "extend the selection"})
            QVERIFY2(text.contains(QString::fromLatin1(phrase)), phrase);

        // Every entry of the contents must lead to an anchor, and every section must be listed.
        const QString html = guideHtml();
        QSet<QString> links;
        for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("href=\"#(\\w+)\"")).globalMatch(html))
            links.insert(m.captured(1));
        QSet<QString> anchors;
        for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("name=\"(\\w+)\"")).globalMatch(html))
            anchors.insert(m.captured(1));
        QVERIFY(links.contains("listing") && links.contains("settings"));
        QCOMPARE(links, anchors);
    }

    void userGuideScrollsToASection()
    {
        UserGuideWindow window;
        window.resize(400, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QScrollBar* scroll = window.browser()->verticalScrollBar();
        QCOMPARE(scroll->value(), 0);

        window.showSection(QStringLiteral("settings"));
        QCOMPARE(window.browser()->source().fragment(), QStringLiteral("settings"));
        QVERIFY(scroll->value() > 0);

        window.showSection(QString());
        QCOMPARE(scroll->value(), 0);
    }

    void desktopEntryLaunchesVellmar()
    {
        QFile file(QStringLiteral(VELLMAR_SOURCE_DIR "/res/vellmar.desktop"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QString> entry;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                entry.insert(line.left(eq), line.mid(eq + 1));
        }
        QCOMPARE(entry.value("Name"), QStringLiteral("Vellmar"));
        QCOMPARE(entry.value("Exec"), QStringLiteral("vellmar %F"));
        QCOMPARE(entry.value("Icon"), QStringLiteral("vellmar"));
    }
};

QTEST_MAIN(ShellGuiTest)
#include "shell_gui_test.moc"
