#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <map>

#include "app/cmainframe.h"
#include "byteops/fieldids.h"
#include "byteops/globalbytebuffer.h"
#include "docview/commandrouter.h"
#include "marking/colorpalette.h"
#include "support/dialogdriver.h"
#include "support/openedfile.h"

namespace {

using Fields = std::map<int, QString>;

QByteArray counting(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char(i));
    return bytes;
}

struct Editing : OpenedFile {
    using OpenedFile::OpenedFile;
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
    TextRange digitsOf(ByteOffset first, ByteOffset last) const
    {
        return {view->layout().HexPositionOfOffset(first).first, view->layout().HexPositionOfOffset(last).second + 1};
    }
    TextPos caretAt(ByteOffset offset) const { return view->layout().HexPositionOfOffset(offset).first; }
};

}  // namespace

class ByteEditingTest : public QObject {
    Q_OBJECT

private slots:
    void cutTakesTheBlockInEitherOrderAndUndoBringsItBack()
    {
        Editing e(counting(32));
        e.view->markBytes(20, 21, 0xFF0000);
        QVERIFY(e.run(CommandId::CutBytes, {{FieldId::StartAddress, "A"}, {FieldId::EndAddress, "4"}}));
        const QByteArray cut = counting(32).remove(4, 7);
        QCOMPARE(e.bytes(), cut);
        QCOMPARE(e.view->selection(), (TextRange{e.caretAt(4), e.caretAt(4)}));
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
    }

    void pasteAndInsertOfNothingStillCountAsAChange()
    {
        Editing e(counting(4));
        GlobalByteBuffer::put(ByteBuffer{0xAA, 0xBB});
        QVERIFY(e.run(CommandId::PasteBytes, {{FieldId::StartAddress, "4"}}));  // at the end: appended
        QVERIFY(e.run(CommandId::PasteBytes, {{FieldId::StartAddress, "0"}}));
        QCOMPARE(e.bytes(), QByteArray("\xAA\xBB\x00\x01\x02\x03\xAA\xBB", 8));
        QCOMPARE(e.view->selection(), (TextRange{e.caretAt(0), e.caretAt(2)}));
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
        Editing e(counting(16));
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

    void typedBytesAreUndoneOneByteAStep()
    {
        Editing e(counting(4));
        e.view->setSelection(e.caretAt(1), e.caretAt(1));
        QTest::keyClicks(e.view, QStringLiteral("ab5"));
        QCOMPARE(e.bytes(), QByteArray("\x00\xAB\x52\x03", 4));
        QVERIFY(e.fx.run(CommandId::EditUndo));
        QCOMPARE(e.bytes(), QByteArray("\x00\xAB\x02\x03", 4));
        QVERIFY(e.fx.run(CommandId::EditUndo));
        QVERIFY(!e.doc->history().canUndo());
        QVERIFY(!e.doc->isModified());
    }

    void editingWaitsForARunningMark()
    {
        Editing e(counting(4));
        const auto enabled = [&e](CommandId id) {
            e.fx.frame().updateCommandUI();
            return CommandRouter::query(e.fx.frame().commandChain(), id).enabled;
        };
        QVERIFY(e.run(CommandId::DeleteBytes, {{FieldId::StartAddress, "0"}, {FieldId::EndAddress, "0"}}));
        e.doc->markState().marking = 1;
        e.doc->markState().markIdle = 0;
        for (CommandId id : {CommandId::CutBytes, CommandId::CopyBytes, CommandId::PasteBytes, CommandId::Find,
                             CommandId::BitwiseMask, CommandId::EditUndo})
            QVERIFY(!enabled(id));
        e.doc->markState().setIdle();
        QVERIFY(enabled(CommandId::CutBytes) && enabled(CommandId::EditUndo));
    }

    void findSelectsAndAdvances()
    {
        Editing e(QByteArray("\x12\x34\x12\x34\x56", 5));
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
};

QTEST_MAIN(ByteEditingTest)
#include "byteediting_test.moc"
