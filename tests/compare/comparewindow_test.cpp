#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <random>

#include "app/cbarredsplitterwnd.h"
#include "app/ccomparefileschildframe.h"
#include "app/cmainframe.h"
#include "byteops/fieldids.h"
#include "compare/ccomparedfileview.h"
#include "docview/commandrouter.h"
#include "support/apptestbase.h"
#include "support/dialogdriver.h"

namespace {

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
        QString out;
        for (int row : {0, 1}) {
            for (ByteOffset i = 0; i < pane(row)->model().size(); ++i) {
                const Rgb c = pane(row)->byteMarkAt(i);
                out += c == 0xFF0000 ? 'R' : c == 0x0000FF ? 'B' : c == 0x00FF00 ? 'G' : '.';
            }
            out += row == 0 ? " " : "";
        }
        return out;
    }
    /// The byte whose two digits are selected in a pane, or none.
    ByteOffset selectedByte(int row) const
    {
        const ByteRange range = pane(row)->SelectionToByteRange();
        return range.first == range.last ? range.first : kNoOffset;
    }
};

}  // namespace

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

    // Stopped at once: no report, and Start Compare is offered again.
    void stopCompareEndsTheRunWithoutAReport()
    {
        Comparison c;
        QVERIFY(c.open(QByteArray(1 << 22, 'a'), QByteArray(1 << 22, 'b')));
        c.fx.prompter().clear();
        QVERIFY(c.fx.frame().executeCommand(CommandId::StartCompare));
        QVERIFY(!c.enabled(CommandId::CopyBytes) && !c.enabled(CommandId::StartCompare));
        QVERIFY(c.fx.frame().executeCommand(CommandId::StopCompare));
        QTRY_VERIFY(c.doc()->isComparisonIdle());
        QVERIFY(c.fx.prompter().messages().isEmpty());
        QVERIFY(c.enabled(CommandId::StartCompare) && c.enabled(CommandId::CopyBytes));
    }

    
    void navigationWalksTheDifferencesInBothPanes()
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
            QCOMPARE(c.selectedByte(0), expected);
            QCOMPARE(c.selectedByte(1), expected);
        }
        QCOMPARE(c.marks(), QStringLiteral(".R.R .B.B"));
        c.pane(0)->setSelection(0, 0);
        QVERIFY(c.fx.run(CommandId::FindNextDiff));
        QCOMPARE(c.fx.prompter().messages(),
                 QStringList{"Please click to select the byte where you want to start the search first!"});
    }

    void panesSwitchAndSplitTheWindow()
    {
        Comparison c;
        QVERIFY(c.open("\1", "A"));
        QVERIFY(c.fx.run(CommandId::NextPane));
        QCOMPARE(c.fx.frame().activeView(), static_cast<View*>(c.pane(1)));
        // The status bar's byte value follows the pane: 41 is File2's byte.
        QLabel* value = nullptr;
        for (QLabel* label : c.fx.frame().statusBar()->findChildren<QLabel*>())
            value = label->accessibleName() == QLatin1String("Byte value") ? label : value;
        QTRY_COMPARE(value->text(), QStringLiteral("Value: 41 (65) 'A'"));
        QVERIFY(c.fx.run(CommandId::PrevPane));
        QCOMPARE(c.fx.frame().activeView(), static_cast<View*>(c.pane(0)));
        const int height = c.window->splitter()->height() - c.window->splitter()->handleWidth();
        QCOMPARE(c.window->splitter()->sizes().front(), CBarredSplitterWnd::upperRowHeight(height));
    }

    // One file chosen twice, even through a link, is refused; names differing in case are two files.
    void theSameFileTwiceIsRefused()
    {
        Comparison c;
        QFile::link(c.fx.writeFile(QStringLiteral("one.bin"), "x"), c.fx.path(QStringLiteral("link.bin")));
        for (const char* second : {"one.bin", "link.bin"}) {
            c.fx.prompter().clear();
            QVERIFY(!c.open("x", QByteArray(), c.fx.path(QString::fromLatin1(second))));
            QCOMPARE(c.fx.prompter().messages(), QStringList{"You must select two different files for comparison!"});
        }
        QVERIFY(c.open("x", "y", QStringLiteral("ONE.bin")));
        QCOMPARE(c.pane(1)->paneLabel(), QStringLiteral(" File2: ") + c.fx.path(QStringLiteral("ONE.bin")));
    }

    // Cut in File1, Save File1, then close: the questions come in order and Yes saves again.
    void saveAndCloseQuestions()
    {
        Comparison c;
        QVERIFY(c.open("\1\2\3", "\4\5"));
        AppFixture::onNextModal([](QDialog& dialog) {
            DialogDriver::fieldOf(dialog, FieldId::StartAddress)->setText(QStringLiteral("1"));
            DialogDriver::fieldOf(dialog, FieldId::EndAddress)->setText(QStringLiteral("1"));
            DialogDriver::clickOk(dialog);
        });
        QVERIFY(c.fx.run(CommandId::CutBytes));
        QVERIFY(c.fx.run(CommandId::SaveFile1));
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("one.bin"))), QByteArray("\1\3"));
        QVERIFY(c.doc()->fileChanged(CompareSide::File1) && !c.doc()->fileChanged(CompareSide::File2));
        QVERIFY(!c.doc()->isModified());
        c.pane(1)->selectEditRange({0, 0});
        QTest::keyClicks(c.pane(1), QStringLiteral("FF"));
        c.fx.prompter().clear();
        c.fx.prompter().answer(Prompter::Answer::No);
        c.fx.prompter().answer(Prompter::Answer::Yes);
        QVERIFY(c.fx.run(CommandId::FileClose));
        QCOMPARE(c.fx.prompter().messages(), (QStringList{"File1 has been changed, do you want to save the changes of file1?",
                                                          "File2 has been changed, do you want to save the changes of file2?"}));
        QCOMPARE(c.fx.windowCount(), 0);
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("two.bin"))), QByteArray("\xFF\5"));
    }

    // Closed at random moments of a comparison (run under AddressSanitizer).
    void closingDuringAComparisonIsSafe()
    {
        std::mt19937 random(16);
        Comparison c;
        for (int round = 0; round < 20; ++round) {
            QVERIFY(c.open(QByteArray(1 << 20, 'a'), QByteArray(1 << 20, char(random()))));
            QVERIFY(c.fx.frame().executeCommand(CommandId::StartCompare));
            for (int spins = int(random() % 30); spins > 0; --spins)
                QCoreApplication::processEvents();
            if (c.doc()->isComparing())
                c.fx.prompter().answer(Prompter::Answer::Yes);
            QVERIFY(c.fx.run(CommandId::FileClose));
            QCOMPARE(c.fx.windowCount(), 0);
        }
    }
};

QTEST_MAIN(CompareWindowTest)
#include "comparewindow_test.moc"
