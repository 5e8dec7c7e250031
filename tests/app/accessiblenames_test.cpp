#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QToolBar>

#include "app/cmainframe.h"
#include "serial/cdriverinfodlg.h"
#include "serial/driverinfolines.h"
#include "support/apptestbase.h"

namespace {

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
            unnamed << QStringLiteral("%1: %2 \"%3\"")
                           .arg(window->windowTitle(), QString::fromLatin1(widget->metaObject()->className()),
                                widget->objectName());
    }
    return unnamed;
}

/// Every window on the screen.
QStringList unnamedControlsOnScreen()
{
    QStringList unnamed;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            unnamed << unnamedControls(window);
    return unnamed;
}

/// The modal dialogs the commands open, walked while each is open.
QStringList unnamedControlsOfModals(AppFixture& fx, std::initializer_list<CommandId> commands)
{
    QStringList unnamed;
    for (CommandId id : commands) {
        bool opened = false;
        AppFixture::onNextModal([&](QDialog& dialog) {
            opened = true;
            unnamed << unnamedControls(&dialog);
        });
        fx.run(id);
        if (!opened)
            unnamed << QStringLiteral("command %1 opened no dialog").arg(int(id));
    }
    return unnamed;
}

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT

private slots:
    void everyFocusableControlHasAName_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("no document") << int(WindowState::NoDocument);
        QTest::newRow("plain document") << int(WindowState::PlainDocument);
        QTest::newRow("Com Panel") << int(WindowState::ComPanel);
        QTest::newRow("comparison") << int(WindowState::Comparison);
    }

    void everyFocusableControlHasAName()
    {
        QFETCH(int, state);
        AppFixture fx;
        QStringList unnamed;
        fx.enterWindowState(WindowState(state));
        QCOMPARE(int(fx.frame().windowState()), state);
        if (WindowState(state) == WindowState::PlainDocument)
            unnamed << unnamedControlsOfModals(fx, {CommandId::GoTo, CommandId::SelectBytes, CommandId::CurrentSettings});
        unnamed << unnamedControlsOfModals(fx, {CommandId::AppAbout, CommandId::SetDefault, CommandId::MaxComPort});
        // The modeless windows open side by side with the main window.
        for (CommandId id : {CommandId::AsciiTable, CommandId::NotationConvert, CommandId::HelpFinder})
            fx.run(id);
        unnamed << unnamedControlsOnScreen();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }

    void driverReportHasNames()
    {
        CDriverInfoDlg dialog(QStringLiteral("COM1"), DriverInfoLines::of(CommProperties{}), QStringLiteral("/dev/ttyS0"),
                              nullptr);
        dialog.show();
        const QStringList unnamed = unnamedControls(&dialog);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }

    void toolBarButtonsSayTheirToolTip()
    {
        AppFixture fx;
        int buttons = 0;
        for (QToolBar* bar : fx.frame().findChildren<QToolBar*>()) {
            for (QAction* action : bar->actions()) {
                if (action->isSeparator())
                    continue;
                ++buttons;
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar->widgetForAction(action));
                QVERIFY(accessible);
                QCOMPARE(accessible->text(QAccessible::Name), action->toolTip());
            }
        }
        int defined = 0;
        for (const ToolBarDefinition& definition : toolBarDefinitions())
            defined += int(std::count_if(definition.buttons.begin(), definition.buttons.end(),
                                         [](const ToolBarButton& button) { return !button.separator; }));
        QCOMPARE(buttons, defined);
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "accessiblenames_test.moc"
