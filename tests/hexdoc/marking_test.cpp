#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTest>

#include "app/cmainframe.h"
#include "byteops/fieldids.h"
#include "docview/commandrouter.h"
#include "marking/colorpalette.h"
#include "marking/markcontrolids.h"
#include "support/dialogdriver.h"
#include "support/openedfile.h"

namespace {

const Rgb kRed = ColorFromName(QStringLiteral("Red"));
// Large enough that no machine marks it before the test has looked at the running mark.
constexpr int kLarge = 64 << 20;

/// Answers the next Mark Bytes dialog: value 41 in red over the given block (default: the whole file).
void markAsInRed(const QString& start = {}, const QString& end = {})
{
    AppFixture::onNextModal([=](QDialog& dialog) {
        DialogDriver::fieldOf(dialog, FieldId::MarkValue1)->setText(QStringLiteral("41"));
        auto* color = dialog.findChild<QComboBox*>(MarkControlId::objectName(MarkControlId::Value1Color));
        color->setCurrentIndex(color->findText(QStringLiteral("Red")));
        if (!start.isEmpty()) {
            DialogDriver::fieldOf(dialog, FieldId::StartAddress)->setText(start);
            DialogDriver::fieldOf(dialog, FieldId::EndAddress)->setText(end);
        }
        dialog.accept();
    });
}

struct Marking : OpenedFile {
    using OpenedFile::OpenedFile;
    CommandState state(CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id); }
    bool idle() const { return doc->markState().isIdle(); }
    /// Starts Mark Bytes on the whole file. No event is handled after the worker
    /// starts, so its end cannot have arrived however fast it ran: the mark shows running.
    void startMarkAsInRed()
    {
        markAsInRed();
        QVERIFY(fx.frame().executeCommand(CommandId::MarkBytes));
        QVERIFY(doc->markState().isRunning(MarkKind::Bytes));
    }
    /// After an update pass: how each menu item and toolbar button of the command shows, checked or not.
    QList<bool> shownChecked(CommandId id)
    {
        fx.frame().updateCommandUI();
        QList<bool> shown;
        for (QAction* action : fx.frame().findChildren<QAction*>(QStringLiteral("command_%1").arg(int(id))))
            for (QObject* place : action->associatedObjects())
                if (auto* button = qobject_cast<QToolButton*>(place); button || qobject_cast<QMenu*>(place))
                    shown << (button ? button->isChecked() : action->isChecked());
        return shown;
    }
};

}  // namespace

class MarkingTest : public QObject {
    Q_OBJECT

private slots:
    void markBytesColoursTheValueAndLeavesTheFileUnmodified()
    {
        Marking m(QByteArray("AxAyA"));
        AppFixture::onNextModal([](QDialog& dialog) { dialog.reject(); });
        QVERIFY(m.fx.run(CommandId::MarkUnits));
        QVERIFY(m.idle());  // a cancelled dialog leaves the state idle
        markAsInRed(QStringLiteral("0"), QStringLiteral("4"));
        QVERIFY(m.fx.run(CommandId::MarkBytes));
        QTRY_VERIFY(m.idle());
        for (ByteOffset offset : {0, 2, 4})
            QCOMPARE(m.view->byteMarkAt(offset), kRed);
        QCOMPARE(m.view->byteMarkAt(1), kDefaultTextColor);
        const HexPositions digits = m.view->layout().HexPositionOfOffset(2);
        QCOMPARE(m.view->formatAt(digits.first).color, kRed);
        QCOMPARE(m.view->formatAt(m.view->layout().CharPositionOfHexPosition(digits.first)).color, kRed);
        QVERIFY(!m.doc->isModified());
        QVERIFY(m.fx.run(CommandId::ClearMarks));
        QCOMPARE(m.view->byteMarkAt(0), kDefaultTextColor);
        QVERIFY(!m.doc->isModified());
    }

    void theRunningKindStopsAndOnlyItStaysEnabled()
    {
        Marking m(QByteArray(kLarge, 'A'));
        QTest::keyClicks(m.view, QStringLiteral("5"));  // an edit to undo, once the mark has ended
        m.startMarkAsInRed();
        QVERIFY(m.state(CommandId::MarkBytes).enabled && m.state(CommandId::MarkBytes).checked);
        const QList<bool> shown = m.shownChecked(CommandId::MarkBytes);  // menu items and the toolbar button
        QVERIFY(shown.size() >= 2 && !shown.contains(false));
        for (CommandId id : {CommandId::MarkBlocks, CommandId::MarkPatterns, CommandId::MarkUnits, CommandId::ClearMarks,
                             CommandId::CopyBytes, CommandId::CutBytes, CommandId::PasteBytes, CommandId::Find,
                             CommandId::BitwiseMask, CommandId::EditUndo, CommandId::GoTo, CommandId::SelectBytes,
                             CommandId::FileSave})
            QVERIFY(!m.state(id).enabled);
        QVERIFY(m.fx.frame().executeCommand(CommandId::MarkBytes));  // chosen again: the request to stop
        QCOMPARE(m.doc->markState().marking.load(), 0);
        QVERIFY(!m.state(CommandId::MarkBytes).checked);
        QVERIFY(!m.state(CommandId::ClearMarks).enabled);
        QTRY_VERIFY(m.idle());
        QVERIFY(!m.shownChecked(CommandId::MarkBytes).contains(true));
        for (CommandId id : {CommandId::ClearMarks, CommandId::MarkBlocks, CommandId::CutBytes, CommandId::EditUndo})
            QVERIFY(m.state(id).enabled);
    }

    void closingDuringAMarkAsksAndYesStopsIt()
    {
        Marking m(QByteArray(kLarge, 'A'));
        m.startMarkAsInRed();
        m.fx.prompter().answer(Prompter::Answer::No);
        m.fx.frame().executeCommand(CommandId::FileClose);
        QCOMPARE(m.fx.windowCount(), 1);
        QCOMPARE(m.fx.prompter().messages().last(),
                 QStringLiteral("You are still in the marking process, do you want to stop marking and close the window?"));
        m.fx.prompter().answer(Prompter::Answer::Yes);
        m.fx.run(CommandId::FileClose);
        QCOMPARE(m.fx.windowCount(), 0);
    }

    // A small mark runs to its end in one document while a large one runs in
    // another, which is then stopped: the two marks share nothing.
    void twoDocumentsMarkAtOnce()
    {
        Marking large(QByteArray(kLarge, 'A'));
        large.startMarkAsInRed();
        large.fx.app().openDocumentFile(large.fx.writeFile("small.bin", QByteArray(64 << 10, 'A')));
        CVellmarDoc* small = large.fx.activeDoc();
        QVERIFY(small != large.doc);
        markAsInRed();
        QVERIFY(large.fx.run(CommandId::MarkBytes));
        QTRY_VERIFY(small->markState().isIdle());
        QCOMPARE(large.fx.activeView()->byteMarkAt((64 << 10) - 1), kRed);
        if (large.doc->markState().marking == 1)
            large.doc->markState().requestStop();
        QTRY_VERIFY(large.idle());
    }

    // A mark stopped and its window closed at random moments, many times
    // (run under AddressSanitizer): the worker never touches what is gone.
    void randomStopsAndClosesAreSafe()
    {
        AppFixture fx;
        const QString file = fx.writeFile("random.bin", QByteArray(4 << 20, 'A'));
        std::srand(5);
        for (int round = 0; round < 30; ++round) {
            fx.app().openDocumentFile(file);
            markAsInRed();
            fx.run(CommandId::MarkBytes);
            for (int spins = std::rand() % 30; spins > 0; --spins)
                QCoreApplication::processEvents();
            // Chosen again only while it runs: on an idle document it would open a new dialog.
            if (std::rand() % 2 && fx.activeDoc()->markState().marking == 1)
                fx.run(CommandId::MarkBytes);
            if (fx.activeDoc()->markState().marking == 1)
                fx.prompter().answer(Prompter::Answer::Yes);
            fx.run(CommandId::FileClose);
            QCOMPARE(fx.windowCount(), 0);
        }
    }
};

QTEST_MAIN(MarkingTest)
#include "marking_test.moc"
