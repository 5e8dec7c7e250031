// Typing into the listing, the byte editing commands and printing, through the
// real keys, commands and dialogs.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

#include <map>
#include <numeric>
#include <tuple>

#include "app/cmainframe.h"
#include "byteops/fieldids.h"
#include "byteops/globalbytebuffer.h"
#include "hexdoc/hexlistingtext.h"
#include "support/dialogdriver.h"
#include "support/openedfile.h"

namespace {

using Fields = std::map<int, QString>;

/// A position in the listing by data line and column; line -1 is the header.
struct At { qint64 line; int column; };

QByteArray counting(int size)
{
    QByteArray bytes(size, '\0');
    std::iota(bytes.begin(), bytes.end(), char(0));
    return bytes;
}

struct Opened : OpenedFile {
    explicit Opened(const QByteArray& bytes = QByteArray(40, '\0')) : OpenedFile(bytes) {}
    TextPos pos(At at) const { return at.line < 0 ? at.column : view->layout().JoinPosition(at.line, at.column); }
    void caretAt(At at) { view->setSelection(pos(at), pos(at)); }
    TextRange caret(At at) const { return {pos(at), pos(at)}; }
    /// Typed keys; "\b", as keyClicks sends it, is the Backspace key.
    void press(const char* keys) { QTest::keyClicks(view, QString::fromLatin1(keys)); }
    /// Both digits and the character cell of a byte.
    QByteArray cells(ByteOffset offset) const
    {
        const HexPositions digits = view->layout().HexPositionOfOffset(offset);
        const TextPos cell = view->layout().CharPositionOfHexPosition(digits.first);
        return view->text(digits.first, digits.second + 1) + view->text(cell, cell + 1);
    }
    /// Runs a command whose dialog gets these field texts (and the radio button), then OK.
    bool run(CommandId id, const Fields& fields, const QString& radio = {})
    {
        AppFixture::onNextModal([fields, radio](QDialog& dialog) {
            for (const auto& [fieldId, text] : fields)
                DialogDriver::fieldOf(dialog, fieldId)->setText(text);
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
                button->setChecked(button->text().remove(QLatin1Char('&')) == radio || button->isChecked());
            dialog.accept();
        });
        return fx.run(id);
    }
    TextPos digit(ByteOffset offset) const { return view->layout().HexPositionOfOffset(offset).first; }
    TextRange digitsOf(ByteOffset first, ByteOffset last) const
    {
        return {digit(first), view->layout().HexPositionOfOffset(last).second + 1};
    }
};

}  // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void digitsOverwriteBytes()
    {
        // 40 zero bytes: the last byte is byte 7 of line 2.
        const std::tuple<int, At, const char*, QByteArray, At> rows[] = {  // offset, caret, keys, shown, caret after
            {0, {0, 9}, "a", "A0.", {0, 10}},      {0, {0, 9}, "41", "41A", {0, 12}},
            {7, {0, 30}, "41", "41A", {0, 34}},    {15, {0, 55}, "4F", "4FO", {1, 9}},
            {39, {2, 31}, "7", "07.", {2, 32}},    {0, {0, 9}, "0", "00.", {0, 10}},  // the digit already there
            {0, {0, 11}, "5", "00.", {0, 11}},     {0, {0, 60}, "5", "00.", {0, 60}},
            {39, {2, 34}, "5", "00.", {2, 34}},
        };
        for (const auto& [offset, from, keys, shown, to] : rows) {
            Opened o;
            o.caretAt(from);
            o.press(keys);
            QCOMPARE(o.cells(offset), shown);
            QCOMPARE(o.doc->bytes().byteAt(offset), std::uint8_t(shown.left(2).toUInt(nullptr, 16)));
            QCOMPARE(o.view->selection(), o.caret(to));
            QCOMPARE(o.doc->bytesChanged(), shown == "00." ? 0 : 1);
            // The digits typed into one byte are one undo step; a byte left as it was is no change.
            if (o.doc->isModified()) {
                QVERIFY(o.fx.run(CommandId::EditUndo));
                QCOMPARE(o.doc->bytes().byteAt(offset), std::uint8_t(0));
            }
            QVERIFY(!o.doc->isModified() && !o.doc->history().canUndo());
        }
        // With a selection typing does nothing.
        Opened o;
        o.view->setSelection(o.pos({0, 9}), o.pos({0, 11}));
        o.press("f");
        QVERIFY(!o.doc->isModified());
    }

    void spaceAndBackspaceOnlyMoveTheCaretAndTypingShowsTrimmedSpaces()
    {
        const std::tuple<At, const char*, At> rows[] = {  // caret, key, caret after
            {{0, 10}, " ", {0, 11}},  {{-1, 5}, " ", {0, 9}},   {{0, 3}, " ", {0, 9}},    {{0, 32}, " ", {0, 34}},
            {{0, 57}, " ", {1, 9}},   {{2, 32}, " ", {2, 32}},  {{0, 9}, "\b", {0, 9}},   {{1, 9}, "\b", {0, 56}},
            {{0, 34}, "\b", {0, 31}}, {{0, 60}, "\b", {0, 56}}, {{2, 40}, "\b", {2, 31}},
        };
        Opened o;
        const QByteArray before = o.view->text();
        for (const auto& [from, key, to] : rows) {
            o.caretAt(from);
            o.press(key);
            QCOMPARE(o.view->selection(), o.caret(to));
        }
        QCOMPARE(o.view->text(), before);
        QVERIFY(!o.doc->isModified());
        Opened full(QByteArray(32, '\0'));  // backspace after a full last line
        full.caretAt({2, 5});
        full.press("\b");
        QCOMPARE(full.view->selection(), full.caret({1, 56}));
        // Typing over the trimmed spaces at the end of the last line shows their cells again.
        Opened spaces(QByteArray("xx  "));
        QVERIFY(spaces.view->text().endsWith("xx"));
        spaces.caretAt({0, 18});
        spaces.press("43");
        QVERIFY(spaces.view->text().endsWith("78 78 20 43" + QByteArray(40, ' ') + "xx C"));
    }

    void marksStayThroughTypingAndGoWithANewListing()
    {
        Opened o;
        o.view->markBytes(1, 2, 0x0000FF);
        const TextPos digit1 = o.digit(1), cell1 = o.view->layout().CharPositionOfHexPosition(digit1);
        QCOMPARE(o.view->formatAt(digit1 + 2).color, kDefaultTextColor);  // the space after the cell
        o.caretAt({0, 12});
        o.press("41");
        QCOMPARE(o.cells(1), QByteArray("41A"));
        QCOMPARE(o.view->formatAt(digit1).color, Rgb(0x0000FF));
        QCOMPARE(o.view->formatAt(cell1).color, Rgb(0x0000FF));
        // The listing stays the one made from the bytes: no copy of the text was taken.
        QVERIFY(dynamic_cast<const HexListingText*>(&o.view->textSource()));
        // The header keeps its underline under the marks' layer.
        QVERIFY(o.view->formatAt(9).underline);
        const std::uint8_t extra = 0;
        QVERIFY(o.doc->bytes().insert(0, std::span(&extra, 1)));
        QCOMPARE(o.view->byteMarkAt(1), kDefaultTextColor);
        QCOMPARE(o.view->formatAt(digit1).color, kDefaultTextColor);
    }

    void typedBytesShowInEveryViewAndAreSaved()
    {
        Opened o;
        CVellmarView* first = o.view;
        QWidget findWindow;
        first->setFindWindow(&findWindow);
        QVERIFY(o.fx.run(CommandId::WindowNew));
        QVERIFY(findWindow.isHidden());  // the find window follows the active view
        o.view = o.fx.activeView();
        o.caretAt({1, 9});
        o.press("7e");
        o.view = first;
        QCOMPARE(o.cells(16), QByteArray("7E~"));
        QVERIFY(o.fx.run(CommandId::FileSave));
        QCOMPARE(AppFixture::readFile(o.file), QByteArray(16, '\0') + '\x7e' + QByteArray(23, '\0'));
        o.fx.frame().mdiArea()->setActiveSubWindow(o.fx.frame().mdiArea()->subWindowList().first());
        QCoreApplication::processEvents();
        QVERIFY(findWindow.isVisible());
    }

    void cutTakesTheBlockInEitherOrderAndUndoBringsItBack()
    {
        Opened e(counting(32));
        e.view->markBytes(20, 21, 0xFF0000);
        QVERIFY(e.run(CommandId::CutBytes, {{FieldId::StartAddress, "A"}, {FieldId::EndAddress, "4"}}));
        const QByteArray cut = counting(32).remove(4, 7);
        QCOMPARE(e.bytes(), cut);
        QCOMPARE(e.view->selection(), (TextRange{e.digit(4), e.digit(4)}));
        QCOMPARE(GlobalByteBuffer::get().value(), (ByteBuffer{4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("04 05 06 07 08 09 0A"));
        QCOMPARE(e.view->byteMarkAt(13), kDefaultTextColor);  // a change of length drops the marks
        QVERIFY(e.fx.run(CommandId::EditUndo));
        QCOMPARE(e.bytes(), counting(32));
        QCOMPARE(e.view->selection(), e.digitsOf(4, 10));
        QVERIFY(!e.doc->isModified());  // back at the bytes of the file
        QVERIFY(e.fx.run(CommandId::EditRedo));
        QVERIFY(e.fx.run(CommandId::FileSave));
        QCOMPARE(AppFixture::readFile(e.file), cut);
        QVERIFY(e.run(CommandId::DeleteBytes, {{FieldId::StartAddress, "0"}, {FieldId::EndAddress, "0"}}));
        QCOMPARE(e.bytes(), cut.mid(1));
    }

    void pasteAndInsertOfNothingStillCountAsAChange()
    {
        Opened e(counting(4));
        GlobalByteBuffer::put(ByteBuffer{0xAA, 0xBB});
        QVERIFY(e.run(CommandId::PasteBytes, {{FieldId::StartAddress, "4"}}));  // at the end: appended
        QVERIFY(e.run(CommandId::PasteBytes, {{FieldId::StartAddress, "0"}}));
        QCOMPARE(e.bytes(), QByteArray("\xAA\xBB\x00\x01\x02\x03\xAA\xBB", 8));
        QCOMPARE(e.view->selection(), (TextRange{e.digit(0), e.digit(2)}));
        // Text that another program put on the clipboard pastes nothing, yet counts as a change, as Insert of 0
        // does: one undo step, and the marks go with the new listing.
        QApplication::clipboard()->setText(QStringLiteral("AABB"));
        QVERIFY(e.fx.run(CommandId::FileSave));
        e.view->markBytes(5, 5, 0xFF0000);
        QVERIFY(e.run(CommandId::PasteBytes, {{FieldId::StartAddress, "1"}}));
        QCOMPARE(e.bytes().size(), 8);
        QVERIFY(e.doc->isModified());
        QCOMPARE(e.view->byteMarkAt(5), kDefaultTextColor);
        QVERIFY(e.fx.run(CommandId::EditUndo));
        QVERIFY(!e.doc->isModified());
        QVERIFY(e.run(CommandId::InsertBytes, {{FieldId::StartAddress, "2"}, {FieldId::InsertCount, "0"}}));
        QVERIFY(e.doc->isModified());
        QVERIFY(e.run(CommandId::InsertBytes,
                      {{FieldId::StartAddress, "2"}, {FieldId::InsertCount, "2"}, {FieldId::InsertValue, "EE"}}));
        QCOMPARE(e.bytes(), QByteArray("\xAA\xBB\xEE\xEE\x00\x01\x02\x03\xAA\xBB", 10));
        QCOMPARE(e.view->selection(), e.digitsOf(2, 2));
    }

    void blockOperationsKeepMarksOutsideTheBlock()
    {
        Opened e(counting(16));
        e.view->markBytes(0, 0, 0x0000FF);
        e.view->markBytes(8, 8, 0x0000FF);
        QVERIFY(e.run(CommandId::ReverseSeq, {{FieldId::StartAddress, "3"}, {FieldId::EndAddress, "5"}}));
        QCOMPARE(e.bytes().mid(2, 5), QByteArray("\x02\x05\x04\x03\x06", 5));
        QVERIFY(e.run(CommandId::BitwiseMask,
                      {{FieldId::StartAddress, "4"}, {FieldId::EndAddress, "6"}, {FieldId::MaskValue, "F0"}},
                      QStringLiteral("XOR")));
        QCOMPARE(e.bytes().mid(4, 3), QByteArray("\xF4\xF3\xF6", 3));
        QCOMPARE(e.view->selection(), e.digitsOf(4, 6));
        QVERIFY(e.run(CommandId::OnesComplement, {{FieldId::StartAddress, "0"}, {FieldId::EndAddress, "0"}}));
        QCOMPARE(e.view->byteMarkAt(0), Rgb(0x0000FF));
        QCOMPARE(e.view->byteMarkAt(8), Rgb(0x0000FF));
        e.view->setSelection(3, 3);
        QVERIFY(e.run(CommandId::ReplaceBytes, {{FieldId::OldValue, "01"}, {FieldId::NewValue, "EE"},
                                                {FieldId::StartAddress, "2"}, {FieldId::EndAddress, "1"}}));
        QCOMPARE(e.bytes().left(3), QByteArray("\xFF\xEE\x02", 3));
        QCOMPARE(e.view->selection(), (TextRange{3, 3}));
        for (int step = 0; step < 4; ++step)
            QVERIFY(e.fx.run(CommandId::EditUndo));
        QCOMPARE(e.bytes(), counting(16));
        QVERIFY(!e.doc->isModified());
    }

    void findSelectsAndAdvances()
    {
        Opened e(QByteArray("\x12\x34\x12\x34\x56", 5));
        QVERIFY(e.fx.run(CommandId::Find));
        auto* find = e.view->findWindow();
        QVERIFY(find && find->isVisible());
        find->findChild<QLineEdit*>(QStringLiteral("field%1").arg(FieldId::FindWhat))->setText(QStringLiteral("1234"));
        auto* start = find->findChild<QLineEdit*>(QStringLiteral("field%1").arg(FieldId::StartAddress));
        start->setText(QStringLiteral("1"));
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(e.view->selection(), e.digitsOf(2, 3));
        QCOMPARE(start->text(), QStringLiteral("4"));
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(e.view->selection(), e.digitsOf(2, 3));
        QCOMPARE(e.fx.frame().statusBar()->currentMessage(), QStringLiteral("Not found"));
        // A second Find brings the same window forward, and the note goes.
        QVERIFY(e.fx.run(CommandId::Find));
        QCOMPARE(e.view->findWindow(), find);
        QCOMPARE(e.fx.frame().statusBar()->currentMessage(), CMainFrame::idleMessage());
        QPointer<QWidget> window(find);
        e.fx.run(CommandId::FileClose);
        QVERIFY(window.isNull());
    }

    // The listing prints to PDF pages with their numbers; a failed print says why; preview and setup show.
    void printingCarriesTheListingAndAFailureIsReported()
    {
        AppFixture fx;
        // The header line, the blank line under it and 298 data lines, the last one half full.
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(297 * 16 + 8, 'A'))));
        fx.prompter().answerPrintToPdf(fx.path("listing.pdf"));
        QVERIFY(fx.run(CommandId::FilePrint));
        QProcess pdftotext;  // the non-empty lines of each page, as pdftotext lays them out
        pdftotext.start("pdftotext", {"-layout", fx.path("listing.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
        QList<QStringList> pages;
        for (const QString& page : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'))) {
            QStringList lines = page.split(QLatin1Char('\n'));
            lines.replaceInStrings(QRegularExpression(QStringLiteral("^\\s+|\\s+$")), QString()).removeAll(QString());
            if (!lines.isEmpty())
                pages << lines;
        }
        QVERIFY2(pages.size() > 1, "expected several pages");
        QVERIFY(pages[0].takeFirst().startsWith(QStringLiteral("Address: 00 01 02")));
        QStringList lineNumbers, expected;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages[i].takeLast(), QString::number(i + 1));
            for (const QString& line : pages[i])
                lineNumbers << line.section(QLatin1Char(' '), 0, 0);
        }
        // Every data line exactly once, in order, and only full pages before the last.
        for (int line = 0; line < 298; ++line)
            expected << QStringLiteral("%1").arg(line, 7, 16, QLatin1Char('0')).toUpper();
        QCOMPARE(lineNumbers, expected);
        const qsizetype firstPageLines = pages[0].size() + 2;  // its data lines, the header and the blank line
        QCOMPARE(pages.size(), (300 + firstPageLines - 1) / firstPageLines);
        fx.prompter().answerPrintToPdf(QStringLiteral("/nonexistent-folder/listing.pdf"));
        QVERIFY(fx.run(CommandId::FilePrint));
        QCOMPARE(fx.prompter().messages(),
                 QStringList{QStringLiteral("Fail to print to the file /nonexistent-folder/listing.pdf")});
        QVERIFY(fx.run(CommandId::FilePrintPreview));
        auto* preview = fx.activeView()->findChild<QPrintPreviewDialog*>();
        QVERIFY(preview && preview->isVisible());
        preview->close();
        QVERIFY(fx.run(CommandId::FilePrintSetup));
        QCOMPARE(fx.prompter().asked().back().text, QStringLiteral("Page Setup"));
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
