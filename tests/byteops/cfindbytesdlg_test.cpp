#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "bytemodel/bytemodel.h"
#include "byteops/cfindbytesdlg.h"
#include "byteops/fieldids.h"
#include "support/dialogdriver.h"
#include "support/scriptedprompter.h"

using namespace DialogDriver;

namespace {

/// Types the pattern and start address and presses Find Next; the search it reported.
CFindBytesDlg::Search findNext(CFindBytesDlg& dialog, const QString& findWhat, const QString& start = {})
{
    QSignalSpy spy(&dialog, &CFindBytesDlg::findNext);
    retype(fieldOf(dialog, FieldId::FindWhat), findWhat);
    if (!start.isNull())
        retype(fieldOf(dialog, FieldId::StartAddress), start);
    QTest::mouseClick(button(dialog, "Find Next"), Qt::LeftButton);
    return spy.size() == 1 ? spy.at(0).at(0).value<CFindBytesDlg::Search>() : CFindBytesDlg::Search{};
}

QString startText(CFindBytesDlg& dialog)
{
    return fieldOf(dialog, FieldId::StartAddress)->text();
}

}  // namespace

class CFindBytesDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTopAtTheScreenCentre()
    {
        ByteModel model;
        QWidget view;
        CFindBytesDlg dialog(model, &view);
        dialog.showAtScreenCentre();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Bytes (in Hex)"));
        QVERIFY(!dialog.isModal());
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        const QRect screen = view.screen()->geometry();
        QCOMPARE(dialog.pos(), QPoint(screen.x() + screen.width() / 2, screen.y() + screen.height() / 2));
        QLineEdit* findWhat = fieldOf(dialog, FieldId::FindWhat);
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        QCOMPARE(labelOf(findWhat), QStringLiteral("Find What:"));
        QCOMPARE(labelOf(start), QStringLiteral("Next Search Start Address:"));
        QCOMPARE(findWhat->maxLength(), 8);
        QCOMPARE(start->text(), QStringLiteral("0"));
        auto* colors = dialog.findChild<QComboBox*>();
        QCOMPARE(labelOf(colors), QStringLiteral("Mark Color:"));
        // A combo box's accessible name is its current text here; its label comes as a relation.
        const auto labels = QAccessible::queryAccessibleInterface(colors)->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Mark Color:"));
        QCOMPARE(colors->currentText(), QStringLiteral("Black"));
        QCOMPARE(dialog.findChild<QCheckBox*>()->text(), QStringLiteral("Automatically Mark the Found Bytes"));
        QVERIFY(dialog.findChild<QCheckBox*>()->isChecked());
        QVERIFY(button(dialog, "Find Next")->isDefault());
    }

    void findNextFindsSuccessiveOccurrencesThenNothing()
    {
        ScriptedPrompter prompter;
        ByteModel model;
        model.assign({0x00, 0x12, 0x34, 0x12, 0x34});
        CFindBytesDlg dialog(model, nullptr);
        dialog.show();
        CFindBytesDlg::Search first = findNext(dialog, "1234");
        QCOMPARE(first.foundAt, 1);
        QCOMPARE(first.length, 2);
        QCOMPARE(first.colorName, QStringLiteral("Black"));
        QCOMPARE(startText(dialog), QStringLiteral("3"));
        QCOMPARE(findNext(dialog, "1234").foundAt, 3);
        QCOMPARE(startText(dialog), QStringLiteral("5"));
        const CFindBytesDlg::Search third = findNext(dialog, "1234");
        QCOMPARE(third.foundAt, kNoOffset);
        QCOMPARE(third.start, 5);
        QCOMPARE(dialog.nextStart(), 5);
        QCOMPARE(prompter.messages(), QStringList());
    }

    void patternsAndStartsThatFindNothing()
    {
        ScriptedPrompter prompter;
        ByteModel model;
        ByteBuffer bytes(16, 0);
        bytes[6] = 0x02;
        bytes[7] = 0x34;
        bytes[13] = 0xAA;
        bytes[14] = 0xBB;
        bytes[15] = 0xCC;
        model.assign(bytes);
        CFindBytesDlg dialog(model, nullptr);
        dialog.show();
        const CFindBytesDlg::Search odd = findNext(dialog, "234", "0");
        QCOMPARE(odd.foundAt, 6);
        QCOMPARE(odd.length, 2);
        QCOMPARE(findNext(dialog, "0", "ffff").foundAt, kNoOffset);
        QCOMPARE(startText(dialog), QStringLiteral("FFFF"));
        QCOMPARE(findNext(dialog, "aabbccdd", "0").foundAt, kNoOffset);
        QCOMPARE(findNext(dialog, "aabbcc", "0").foundAt, 13);
        QCOMPARE(startText(dialog), QStringLiteral("10"));
        QCOMPARE(prompter.messages(), QStringList());
    }

    void findNextChecksTheStartBeforeThePattern()
    {
        ScriptedPrompter prompter;
        ByteModel model;
        model.assign({1, 2, 3});
        CFindBytesDlg dialog(model, nullptr);
        dialog.show();
        QSignalSpy spy(&dialog, &CFindBytesDlg::findNext);
        QLineEdit* findWhat = fieldOf(dialog, FieldId::FindWhat);
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        struct Row {
            QString start, findWhat, message;
            QLineEdit* focus;
        };
        const Row rows[] = {
            {"", "", "Please fill the Start Address field!", start},
            {"1 ", "", "Start Address field contains invalid characters!", start},
            {"0", "", "Please fill the Find What field!", findWhat},
            {"0", "0 2", "Find What field contains invalid characters!", findWhat},
        };
        for (const Row& row : rows) {
            prompter.clear();
            start->setText(row.start);
            findWhat->setText(row.findWhat);
            findWhat->setFocus();
            QTest::keyClick(findWhat, Qt::Key_Return);  // Find Next is the default button
            QCOMPARE(prompter.messages(), QStringList{row.message});
            QCOMPARE(dialog.focusWidget(), row.focus);
            QCOMPARE(row.focus->selectedText(), row.focus->text());
            QVERIFY(dialog.isVisible());
        }
        QCOMPARE(spy.size(), 0);
    }

    void markSelectAndTheCheckBoxCarryTheChoices()
    {
        ByteModel model;
        model.assign({0x41, 0x41});
        CFindBytesDlg dialog(model, nullptr);
        dialog.show();
        auto* colors = dialog.findChild<QComboBox*>();
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_R);
        QCOMPARE(colors->currentText(), QStringLiteral("Red"));
        QSignalSpy marks(&dialog, &CFindBytesDlg::markSelection);
        QTest::mouseClick(button(dialog, "Mark Select"), Qt::LeftButton);
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks.at(0).at(0).toString(), QStringLiteral("Red"));
        auto* autoMark = dialog.findChild<QCheckBox*>();
        autoMark->setFocus();
        QTest::keyClick(autoMark, Qt::Key_Space);
        const CFindBytesDlg::Search search = findNext(dialog, "41");
        QVERIFY(!search.autoMark);
        QCOMPARE(search.colorName, QStringLiteral("Red"));
    }

    void takesTheColourListItIsGiven()
    {
        ByteModel model;
        CFindBytesDlg dialog(model, nullptr, [](QWidget* parent) {
            auto* box = new QComboBox(parent);
            box->addItems({"Black", "Teal"});
            box->setObjectName("given");
            return box;
        });
        auto* colors = dialog.findChild<QComboBox*>();
        QCOMPARE(colors->objectName(), QStringLiteral("given"));
        QCOMPARE(labelOf(colors), QStringLiteral("Mark Color:"));
        QCOMPARE(colors->currentText(), QStringLiteral("Black"));
    }

    void escapeOrCancelClosesAndTellsTheView()
    {
        ByteModel model;
        QWidget view;
        for (bool escape : {true, false}) {
            QPointer<CFindBytesDlg> dialog = new CFindBytesDlg(model, &view);
            dialog->show();
            QSignalSpy closing(dialog.data(), &CFindBytesDlg::closing);
            if (escape)
                QTest::keyClick(fieldOf(*dialog, FieldId::FindWhat), Qt::Key_Escape);
            else
                click(*dialog, "Cancel");
            QCOMPARE(closing.size(), 1);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(dialog.isNull());
        }
    }
};

QTEST_MAIN(CFindBytesDlgTest)
#include "cfindbytesdlg_test.moc"
