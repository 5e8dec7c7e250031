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
            unnamed << window->windowTitle() + ": " + widget->metaObject()->className() + " " + widget->objectName();
    }
    return unnamed;
}

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT

private slots:
    // In every window state: the modal dialogs the commands open, walked while each is open, then the
    // modeless windows, which open side by side with the main window.
    void everyFocusableControlHasAName()
    {
        QStringList unnamed;
        for (WindowState state : {WindowState::NoDocument, WindowState::PlainDocument, WindowState::ComPanel,
                                  WindowState::Comparison}) {
            AppFixture fx;
            fx.enterWindowState(state);
            QCOMPARE(fx.frame().windowState(), state);
            std::vector<CommandId> modals{CommandId::AppAbout, CommandId::SetDefault, CommandId::MaxComPort};
            if (state == WindowState::PlainDocument)
                modals.insert(modals.end(), {CommandId::GoTo, CommandId::SelectBytes, CommandId::CurrentSettings});
            for (CommandId id : modals) {
                bool opened = false;
                AppFixture::onNextModal([&](QDialog& dialog) {
                    opened = true;
                    unnamed << unnamedControls(&dialog);
                });
                fx.run(id);
                QVERIFY2(opened, qPrintable(QStringLiteral("command %1 opened no dialog").arg(int(id))));
            }
            for (CommandId id : {CommandId::AsciiTable, CommandId::NotationConvert, CommandId::HelpFinder})
                fx.run(id);
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible())
                    unnamed << unnamedControls(window);
        }
        CDriverInfoDlg report(QStringLiteral("COM1"), DriverInfoLines::of(CommProperties{}), QStringLiteral("/dev/ttyS0"),
                              nullptr);
        report.show();
        unnamed << unnamedControls(&report);
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
                QCOMPARE(QAccessible::queryAccessibleInterface(bar->widgetForAction(action))->text(QAccessible::Name),
                             action->toolTip());
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
