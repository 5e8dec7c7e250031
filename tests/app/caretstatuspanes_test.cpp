#include <QLabel>
#include <QMap>
#include <QStatusBar>
#include <QTest>

#include "app/cmainframe.h"
#include "support/openedfile.h"

namespace {

/// The texts of the caret panes, in the order they stand.
QStringList paneTexts(CMainFrame& frame)
{
    QMap<QString, QString> byName;
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        byName.insert(label->accessibleName(), label->text());
    QStringList texts;
    for (const char* name : {"Caret offset", "Selection", "Byte value", "Document state"})
        texts << byName.value(QLatin1String(name), QStringLiteral("no pane"));
    return texts;
}

}  // namespace

class CaretStatusPanesTest : public QObject {
    Q_OBJECT

private slots:
    void panesFollowTheCaretTheSelectionAndTyping()
    {
        const struct {
            const char* typed;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QStringList panes;
        } steps[] = {
            {"", Qt::Key_unknown, {}, {"Offset: 0 (0)", "", "Value: 41 (65) 'A'", ""}},
            {"7e", Qt::Key_unknown, {}, {"Offset: 1 (1)", "", "Value: 42 (66) 'B'", "Modified"}},
            {"", Qt::Key_Down, {}, {"Offset: 11 (17)", "", "Value: 00 (0) '.'", "Modified"}},
            {"", Qt::Key_End, Qt::ShiftModifier,
             {"Offset: 11 (17)", "Selection: 11-1F (15 bytes)", "Value: 00 (0) '.'", "Modified"}},
            {"", Qt::Key_End, Qt::ControlModifier, {"Offset: 28 (40)", "", "", "Modified"}},
        };
        OpenedFile o("AB" + QByteArray(38, '\0'));
        for (const auto& step : steps) {
            QTest::keyClicks(o.view, QLatin1String(step.typed));
            if (step.key != Qt::Key_unknown)
                QTest::keyClick(o.view, step.key, step.modifiers);
            QCoreApplication::processEvents();
            QCOMPARE(paneTexts(o.fx.frame()), step.panes);
        }
        QVERIFY(o.fx.run(CommandId::EditUndo));
        QCOMPARE(paneTexts(o.fx.frame()),
                 (QStringList{"Offset: 0 (0)", "Selection: 0-0 (1 byte)", "Value: 41 (65) 'A'", ""}));
        QVERIFY(o.fx.run(CommandId::FileClose));
        QCOMPARE(paneTexts(o.fx.frame()), (QStringList{"", "", "", ""}));
    }
};

QTEST_MAIN(CaretStatusPanesTest)
#include "caretstatuspanes_test.moc"
