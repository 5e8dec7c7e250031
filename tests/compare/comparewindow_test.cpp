#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QToolBar>

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

QString statusPane(CMainFrame& frame, const char* accessibleName)
{
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        if (label->accessibleName() == QLatin1String(accessibleName))
            return label->text();
    return {};
}

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
    /// The marks of a pane as letters: '.' none, R red, B blue, G green.
    QString marks(int row) const
    {
        QString out;
        for (ByteOffset i = 0; i < pane(row)->model().size(); ++i) {
            const Rgb c = pane(row)->byteMarkAt(i);
            out += c == 0xFF0000 ? 'R' : c == 0x0000FF ? 'B' : c == 0x00FF00 ? 'G' : '.';
        }
        return out;
    }
    void compare()
    {
        fx.prompter().clear();
        QVERIFY(fx.run(CommandId::StartCompare));
        QTRY_VERIFY(doc()->isComparisonIdle());
    }
    /// The byte whose two digits are selected in a pane, or none.
    ByteOffset selectedByte(int row) const
    {
        const ByteRange range = pane(row)->SelectionToByteRange();
        return range.first == range.last ? range.first : kNoOffset;
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

}  // namespace

class CompareWindowTest : public QObject {
    Q_OBJECT

private slots:
    void comparisonColoursAndReports_data()
    {
        QTest::addColumn<QByteArray>("file1");
        QTest::addColumn<QByteArray>("file2");
        QTest::addColumn<QString>("marks1");
        QTest::addColumn<QString>("marks2");
        QTest::addColumn<QString>("report");
        QTest::newRow("one byte differs") << bytes({0, 1, 2}) << bytes({0, 0xFF, 2}) << ".R." << ".B."
                                          << "Number of different byte found: 1";
        QTest::newRow("file1 longer") << bytes({1, 2, 3, 4, 5}) << bytes({1, 2, 3}) << "...RR" << "..."
                                      << "There are 0 different byte between file1 and file2.\n"
                                         "File1 has 2 more bytes than file2";
        QTest::newRow("file2 longer") << bytes({1, 2}) << bytes({1, 3, 9, 9, 9, 9}) << ".R" << ".BGGGG"
                                      << "There are 1 different byte between file1 and file2.\n"
                                         "File2 has 4 more bytes than file1";
        QTest::newRow("both empty") << QByteArray("") << QByteArray("") << "" << "" << "Number of different byte found: 0";
    }

    // A second comparison first clears the marks of the first and the user's.
    void comparisonColoursAndReports()
    {
        QFETCH(QByteArray, file1);
        QFETCH(QByteArray, file2);
        QFETCH(QString, report);
        Comparison c;
        QVERIFY(c.open(file1, file2));
        for (int round = 0; round < 2; ++round) {
            if (!file1.isEmpty())
                c.pane(0)->markBytes(0, 0, 0x00FF00);
            c.compare();
            QTEST(c.marks(0), "marks1");
            QTEST(c.marks(1), "marks2");
            QCOMPARE(c.fx.prompter().messages(), QStringList{report});
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
        QVERIFY(c.open(bytes({0x10, 0x20, 0x30, 0x40}), bytes({0x10, 0x21, 0x30, 0x41})));
        const auto step = [&c](CommandId id, ByteOffset expected) {
            QVERIFY(c.fx.run(id));
            QCOMPARE(c.selectedByte(0), expected);
            QCOMPARE(c.selectedByte(1), expected);
        };
        c.pane(0)->selectEditRange({0, 0});
        step(CommandId::FindNextDiff, 1);
        QCOMPARE(c.marks(0) + c.marks(1), QStringLiteral(".R.." ".B.."));
        step(CommandId::FindNextDiff, 3);
        step(CommandId::FindNextDiff, 3);
        step(CommandId::FindLastDiff, 3);
        step(CommandId::FindPrevDiff, 1);
        step(CommandId::FindPrevDiff, 1);
        step(CommandId::FindFirstDiff, 1);
        c.pane(0)->setSelection(0, 0);
        c.fx.prompter().clear();
        QVERIFY(c.fx.run(CommandId::FindNextDiff));
        QCOMPARE(c.fx.prompter().messages(),
                 QStringList{"Please click to select the byte where you want to start the search first!"});
    }

    void panesSwitchAndSplitTheWindow()
    {
        Comparison c;
        QVERIFY(c.open(bytes({1}), bytes({2})));
        QVERIFY(c.fx.run(CommandId::NextPane));
        QCOMPARE(c.fx.frame().activeView(), static_cast<View*>(c.pane(1)));
        // The status bar's byte value follows the pane: 02 is File2's byte.
        QTRY_COMPARE(statusPane(c.fx.frame(), "Byte value"), QStringLiteral("Value: 02 (2) '.'"));
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
        QVERIFY(c.open(bytes({1, 2, 3}), bytes({4, 5})));
        AppFixture::onNextModal([](QDialog& dialog) {
            DialogDriver::fieldOf(dialog, FieldId::StartAddress)->setText(QStringLiteral("1"));
            DialogDriver::fieldOf(dialog, FieldId::EndAddress)->setText(QStringLiteral("1"));
            DialogDriver::clickOk(dialog);
        });
        QVERIFY(c.fx.run(CommandId::CutBytes));
        QVERIFY(c.fx.run(CommandId::SaveFile1));
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("one.bin"))), bytes({1, 3}));
        QVERIFY(c.doc()->fileChanged(CompareSide::File1) && !c.doc()->fileChanged(CompareSide::File2));
        QVERIFY(!c.doc()->isModified());
        c.pane(1)->selectEditRange({0, 0});
        QTest::keyClicks(c.pane(1), QStringLiteral("FF"));
        c.fx.prompter().clear();
        for (auto answer : {Prompter::Answer::No, Prompter::Answer::Yes})
            c.fx.prompter().answer(answer);
        QVERIFY(c.fx.run(CommandId::FileClose));
        QCOMPARE(c.fx.prompter().messages(), (QStringList{"File1 has been changed, do you want to save the changes of file1?",
                                                          "File2 has been changed, do you want to save the changes of file2?"}));
        QCOMPARE(c.fx.windowCount(), 0);
        QCOMPARE(AppFixture::readFile(c.fx.path(QStringLiteral("two.bin"))), bytes({0xFF, 5}));
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
            const bool comparing = c.doc()->isComparing();
            if (comparing)
                c.fx.prompter().answer(Prompter::Answer::Yes);
            QVERIFY(c.fx.run(CommandId::FileClose));
            QCOMPARE(c.fx.windowCount(), 0);
        }
    }
};

QTEST_MAIN(CompareWindowTest)
#include "comparewindow_test.moc"
