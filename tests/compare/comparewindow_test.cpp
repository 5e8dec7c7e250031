#include <QFile>
#include <QLabel>
#include <QStatusBar>

#include <random>

#include "app/cbarredsplitterwnd.h"
#include "app/ccomparefileschildframe.h"
#include "app/cmainframe.h"
#include "byteops/fieldids.h"
#include "compare/ccomparedfileview.h"
#include "docview/commandrouter.h"
#include "support/apptestbase.h"
#include "support/dialogwalk.h"

/// An application with a comparison window on two files of the given bytes.
struct Comparison {
    AppFixture fx;
    CCompareFilesChildFrame* window = nullptr;

    bool open(const QByteArray& bytes1, const QByteArray& bytes2, QString name2 = QStringLiteral("two.bin"))
    {
        fx.prompter().answerFile(fx.writeFile(QStringLiteral("one.bin"), bytes1));
        fx.prompter().answerFile(bytes2.isNull() ? name2 : fx.writeFile(name2, bytes2));
        fx.run(CommandId::Compare);
        window = qobject_cast<CCompareFilesChildFrame*>(fx.frame().activeChildFrame());
        return window != nullptr;
    }
    CComparedFileView* pane(int row) const { return window->pane(row); }
    CCompareFilesDoc* doc() const { return pane(0)->GetDocument(); }
    bool enabled(CommandId id) { return CommandRouter::query(fx.frame().commandChain(), id).enabled; }
    /// The marks of both panes as letters: '.' none, R red, B blue, G green; a space between the panes.
    QString marks() const
    {
        static const QMap<Rgb, QChar> kLetters{{0xFF0000, 'R'}, {0x0000FF, 'B'}, {0x00FF00, 'G'}};
        QStringList panes{{}, {}};
        for (int row : {0, 1})
            for (ByteOffset i = 0; i < pane(row)->model().size(); ++i)
                panes[row] += kLetters.value(pane(row)->byteMarkAt(i), '.');
        return panes.join(' ');
    }
};

class CompareWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A second comparison first clears the marks of the first and the user's.
    void comparisonColoursAndReports()
    {
        const struct {
            QByteArray file1, file2;
            const char* marks;
            const char* report;
        } cases[] = {
            {QByteArrayLiteral("\0\1\2"), QByteArrayLiteral("\0\xFF\2"), ".R. .B.", "Number of different byte found: 1"},
            {"\1\2\3\4\5", "\1\2\3", "...RR ...",
             "There are 0 different byte between file1 and file2.\nFile1 has 2 more bytes than file2"},
            {"\1\2", "\1\3\x9\x9\x9\x9", ".R .BGGGG",
             "There are 1 different byte between file1 and file2.\nFile2 has 4 more bytes than file1"},
            {"", "", " ", "Number of different byte found: 0"},
        };
        for (const auto& c : cases) {
            Comparison cmp;
            QVERIFY(cmp.open(c.file1, c.file2));
            for (int round = 0; round < 2; ++round) {
                if (!c.file1.isEmpty())
                    cmp.pane(0)->markBytes(0, 0, 0x00FF00);
                cmp.fx.prompter().clear();
                QVERIFY(cmp.fx.run(CommandId::StartCompare));
                QTRY_VERIFY(cmp.doc()->isComparisonIdle());
                QCOMPARE(cmp.marks(), QString::fromLatin1(c.marks));
                QCOMPARE(cmp.fx.prompter().messages(), QStringList{c.report});
            }
        }
    }

    // Stopped at once: no report, and Start Compare is offered again. Closed at random moments of
    // a comparison (run under AddressSanitizer): the close asks first while it runs.
    void stopOrCloseDuringAComparison()
    {
        std::mt19937 random(16);
        Comparison c;
        for (int round = 0; round < 20; ++round) {
            QVERIFY(c.open(QByteArray(1 << (round ? 20 : 22), 'a'), QByteArray(1 << (round ? 20 : 22), char(random()))));
            QVERIFY(c.fx.frame().executeCommand(CommandId::StartCompare));
            QVERIFY(!c.enabled(CommandId::CopyBytes) && !c.enabled(CommandId::StartCompare));
            if (round == 0) {
                QVERIFY(c.fx.frame().executeCommand(CommandId::StopCompare));
                QTRY_VERIFY(c.doc()->isComparisonIdle());
                QVERIFY(c.fx.prompter().messages().isEmpty());
                QVERIFY(c.enabled(CommandId::StartCompare) && c.enabled(CommandId::CopyBytes));
            }
            for (int spins = int(random() % 30); spins > 0; --spins)
                QCoreApplication::processEvents();
            if (c.doc()->isComparing())
                c.fx.prompter().answer(Prompter::Answer::Yes);
            QVERIFY(c.fx.run(CommandId::FileClose));
            QCOMPARE(c.fx.windowCount(), 0);
        }
    }

    // The Diff commands select the same byte in both panes; the next pane takes the main frame along.
    void navigationWalksTheDifferencesAndPanesSwitch()
    {
        Comparison c;
        QVERIFY(c.open("\x10\x20\x30\x40", "\x10\x21\x30\x41"));
        c.pane(0)->selectEditRange({0, 0});
        const std::pair<CommandId, ByteOffset> steps[] = {
            {CommandId::FindNextDiff, 1}, {CommandId::FindNextDiff, 3},  {CommandId::FindNextDiff, 3},
            {CommandId::FindLastDiff, 3}, {CommandId::FindPrevDiff, 1},  {CommandId::FindPrevDiff, 1},
            {CommandId::FindFirstDiff, 1}};
        for (const auto& [id, expected] : steps) {
            QVERIFY(c.fx.run(id));
            for (int row : {0, 1})
                QCOMPARE(c.pane(row)->SelectionToByteRange(), (ByteRange{expected, expected}));
        }
        QCOMPARE(c.marks(), QStringLiteral(".R.R .B.B"));
        QVERIFY(c.fx.run(CommandId::NextPane));
        QCOMPARE(c.fx.frame().activeView(), static_cast<View*>(c.pane(1)));
        // The status bar's byte value follows the pane: 21 is File2's byte.
        QLabel* value = nullptr;
        for (QLabel* label : c.fx.frame().statusBar()->findChildren<QLabel*>())
            value = label->accessibleName() == QLatin1String("Byte value") ? label : value;
        QTRY_COMPARE(value->text(), QStringLiteral("Value: 21 (33) '!'"));
        QVERIFY(c.fx.run(CommandId::PrevPane));
        QCOMPARE(c.fx.frame().activeView(), static_cast<View*>(c.pane(0)));
        const int height = c.window->splitter()->height() - c.window->splitter()->handleWidth();
        QCOMPARE(c.window->splitter()->sizes().front(), CBarredSplitterWnd::upperRowHeight(height));
        c.pane(0)->setSelection(0, 0);
        QVERIFY(c.fx.run(CommandId::FindNextDiff));
        QCOMPARE(c.fx.prompter().messages(),
                 QStringList{"Please click to select the byte where you want to start the search first!"});
    }

    // One file chosen twice, even through a link, is refused; names differing in case are two files.
    // Cut in File1, Save File1, then close: the questions come in order and Yes saves again.
    void twoFilesChosenChangedSavedAndClosed()
    {
        Comparison c;
        QFile::link(c.fx.writeFile(QStringLiteral("one.bin"), "x"), c.fx.path(QStringLiteral("link.bin")));
        for (const char* second : {"one.bin", "link.bin"}) {
            c.fx.prompter().clear();
            QVERIFY(!c.open("x", QByteArray(), c.fx.path(QString::fromLatin1(second))));
            QCOMPARE(c.fx.prompter().messages(), QStringList{"You must select two different files for comparison!"});
        }
        QVERIFY(c.open("\1\2\3", "\4\5", QStringLiteral("ONE.bin")));
        QCOMPARE(c.pane(1)->paneLabel(), QStringLiteral(" File2: ") + c.fx.path(QStringLiteral("ONE.bin")));
        AppFixture::onNextModal([&c](QDialog& dialog) {
            walkDialog(dialog, c.fx.prompter(), {{{{FieldId::StartAddress, "1"}, {FieldId::EndAddress, "1"}}}});
        });
        QVERIFY(c.fx.run(CommandId::CutBytes));
        QVERIFY(c.fx.run(CommandId::SaveFile1));
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("one.bin"))), QByteArray("\1\3"));
        QVERIFY(c.doc()->fileChanged(CompareSide::File1) && !c.doc()->fileChanged(CompareSide::File2) && !c.doc()->isModified());
        c.pane(1)->selectEditRange({0, 0});
        QTest::keyClicks(c.pane(1), QStringLiteral("FF"));
        c.fx.prompter().answer(Prompter::Answer::No);
        c.fx.prompter().answer(Prompter::Answer::Yes);
        QVERIFY(c.fx.run(CommandId::FileClose));
        QCOMPARE(c.fx.prompter().messages(), (QStringList{"File1 has been changed, do you want to save the changes of file1?",
                                                          "File2 has been changed, do you want to save the changes of file2?"}));
        QCOMPARE(c.fx.windowCount(), 0);
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("ONE.bin"))), QByteArray("\xFF\5"));
    }
};

QTEST_MAIN(CompareWindowTest)
#include "comparewindow_test.moc"
