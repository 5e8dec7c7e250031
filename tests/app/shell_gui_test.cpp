#include "app/aboutdialog.h"
#include "app/actionfactory.h"
#include "app/commandtable.h"
#include "app/menudefinitions.h"
#include "app/userguidewindow.h"
#include "res/resources.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

namespace {

QSet<QString> captures(const QString& html, const char* pattern)
{
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QLatin1String(pattern)).globalMatch(html))
        found.insert(m.captured(1));
    return found;
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
                if (!button.separator && !used.contains(button.iconName)) {
                    used.insert(button.iconName);
                    QVERIFY(!commandIcon(button.id).pixmap(16, 16).isNull());
                    QCOMPARE(QSvgRenderer(button.iconName).viewBox(), QRect(0, 0, 16, 16));
                }
            }
        }
        QSet<QString> present;
        for (const QString& file : QDir(QStringLiteral(":/icons")).entryList())
            present.insert(QStringLiteral(":/icons/") + file);
        QCOMPARE(present, used);
    }

    // Each binding is one key in the portable form (written back it reads the same), bound once, and keys
    // whose names differ between key tables mean the key intended.
    void acceleratorKeysParseAndAreUnique()
    {
        QHash<int, CommandId> seen;
        for (const AcceleratorBinding& binding : acceleratorTable()) {
            const QKeySequence keys = QKeySequence::fromString(binding.keys, QKeySequence::PortableText);
            QVERIFY2(keys.count() == 1 && keys[0].key() != Qt::Key_unknown, qPrintable(binding.keys));
            QCOMPARE(keys.toString(QKeySequence::PortableText), binding.keys);
            QVERIFY2(!seen.contains(keys[0].toCombined()), qPrintable(binding.keys + QStringLiteral(" bound twice")));
            seen.insert(keys[0].toCombined(), binding.id);
        }
        QCOMPARE(seen.value(QKeyCombination(Qt::Key_Delete).toCombined()), CommandId::DeleteBytes);
        QCOMPARE(seen.value(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert).toCombined()), CommandId::PasteBytes);
        QCOMPARE(seen.value(QKeyCombination(Qt::AltModifier, Qt::Key_Backspace).toCombined()), CommandId::EditUndo);
    }

    void commandActionCarriesTheCommandTexts()
    {
        QObject owner;
        QAction* action = makeCommandAction(CommandId::StopReceive, QStringLiteral("Stop Receive\tF12"), &owner);
        QCOMPARE(action->text(), QStringLiteral("Stop Receive\tF12"));
        QCOMPARE(action->statusTip(), QStringLiteral("Stop receiving the bytes from the com port"));
        QCOMPARE(action->whatsThis(), action->statusTip());
        QCOMPARE(action->toolTip(), QStringLiteral("Stop Receive"));
        QVERIFY(!action->icon().isNull());
        QVERIFY(makeCommandAction(CommandId::GoTo, QStringLiteral("&Go To...\tCtrl+G"), &owner)->icon().isNull());
        // Without a tooltip of its own an item says its text, without the mnemonic and the keys.
        QAction* recent = makeCommandAction(CommandId::RecentFile2, QStringLiteral("&2 Tom && Jerry.bin\tX"), &owner);
        QCOMPARE(recent->statusTip(), QStringLiteral("Open this document"));
        QCOMPARE(recent->toolTip(), QStringLiteral("2 Tom & Jerry.bin"));
    }

    void aboutBoxShowsIconVersionAndOk()
    {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Vellmar"));
        QVERIFY(!dialog.windowIcon().isNull());
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().isNull());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text(), QStringLiteral("Vellmar Version 2.12"));
        QCOMPARE(dialog.findChild<QDialogButtonBox*>()->buttons().size(), 1);
    }

    // Non-modal; every entry of the contents leads to an anchor and every section is listed.
    void userGuideShowsItsSections()
    {
        UserGuideWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Vellmar User Guide"));
        QVERIFY(window.isWindow() && window.windowModality() == Qt::NonModal);
        QFile file(QStringLiteral(":/userguide.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QSet<QString> links = captures(html, "href=\"#(\\w+)\"");
        QVERIFY(links.contains("listing") && links.contains("settings"));
        QCOMPARE(links, captures(html, "name=\"(\\w+)\""));
    }
};

QTEST_MAIN(ShellGuiTest)
#include "shell_gui_test.moc"
