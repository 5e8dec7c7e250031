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

}  // namespace

class CFindBytesDlgTest : public QObject {
    Q_OBJECT

private slots:
    void findNextChecksTheStartBeforeThePatternThenFindsSuccessiveOccurrences()
    {
        ScriptedPrompter prompter;
        ByteModel model;
        model.assign({0x00, 0x12, 0x34, 0x12, 0x34, 0x02, 0x34, 0, 0, 0, 0, 0, 0, 0xAA, 0xBB, 0xCC});
        CFindBytesDlg dialog(model, nullptr);
        dialog.show();
        QSignalSpy spy(&dialog, &CFindBytesDlg::findNext);
        QLineEdit* findWhat = fieldOf(dialog, FieldId::FindWhat);
        QLineEdit* start = fieldOf(dialog, FieldId::StartAddress);
        const struct {
            QString start, findWhat, message;
            QLineEdit* focus;
        } refusals[] = {
            {"", "", "Please fill the Start Address field!", start},
            {"1 ", "", "Start Address field contains invalid characters!", start},
            {"0", "", "Please fill the Find What field!", findWhat},
            {"0", "0 2", "Find What field contains invalid characters!", findWhat},
        };
        for (const auto& row : refusals) {
            prompter.clear();
            start->setText(row.start);
            findWhat->setText(row.findWhat);
            findWhat->setFocus();
            QTest::keyClick(findWhat, Qt::Key_Return);  // Find Next is the default button
            QCOMPARE(prompter.messages(), QStringList{row.message});
            QCOMPARE(dialog.focusWidget(), row.focus);
            QCOMPARE(row.focus->selectedText(), row.focus->text());
        }
        QCOMPARE(spy.size(), 0);
        prompter.clear();
        const struct {
            QString findWhat, start;
            ByteOffset foundAt;
            QString nextStart;
        } rows[] = {
            {"1234", "0", 1, "3"},         {"1234", {}, 3, "5"},           {"1234", {}, kNoOffset, "5"},
            {"234", "0", 5, "7"},          {"0", "ffff", kNoOffset, "FFFF"}, {"aabbccdd", "0", kNoOffset, "0"},
            {"aabbcc", "0", 13, "10"},
        };
        for (const auto& row : rows) {
            const CFindBytesDlg::Search search = findNext(dialog, row.findWhat, row.start);
            QCOMPARE(search.foundAt, row.foundAt);
            QCOMPARE(fieldOf(dialog, FieldId::StartAddress)->text(), row.nextStart);
        }
        QCOMPARE(findNext(dialog, "1234", "0").length, 2);
        QCOMPARE(dialog.nextStart(), 3);
        QCOMPARE(prompter.messages(), QStringList());

        // Mark Select and the check box carry the colour and the automatic marking.
        auto* colors = dialog.findChild<QComboBox*>();
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_R);
        QSignalSpy marks(&dialog, &CFindBytesDlg::markSelection);
        QTest::mouseClick(button(dialog, "Mark Select"), Qt::LeftButton);
        QCOMPARE(marks.value(0).value(0).toString(), QStringLiteral("Red"));
        auto* autoMark = dialog.findChild<QCheckBox*>();
        autoMark->setFocus();
        QTest::keyClick(autoMark, Qt::Key_Space);
        const CFindBytesDlg::Search search = findNext(dialog, "12");
        QVERIFY(!search.autoMark);
        QCOMPARE(search.colorName, QStringLiteral("Red"));
    }

    void opensOnTopAtTheScreenCentreAndEscapeOrCancelCloseIt()
    {
        ByteModel model;
        QWidget view;
        for (bool escape : {true, false}) {
            QPointer<CFindBytesDlg> dialog = new CFindBytesDlg(model, &view);
            dialog->showAtScreenCentre();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Find Bytes (in Hex)"));
            QVERIFY(!dialog->isModal() && (dialog->windowFlags() & Qt::WindowStaysOnTopHint));
            const QRect screen = view.screen()->geometry();
            QCOMPARE(dialog->pos(), QPoint(screen.x() + screen.width() / 2, screen.y() + screen.height() / 2));
            QCOMPARE(fieldOf(*dialog, FieldId::FindWhat)->maxLength(), 8);
            QCOMPARE(fieldOf(*dialog, FieldId::StartAddress)->text(), QStringLiteral("0"));
            auto* colors = dialog->findChild<QComboBox*>();
            // A combo box's accessible name is its current text here; its label comes as a relation.
            const auto labels = QAccessible::queryAccessibleInterface(colors)->relations(QAccessible::Label);
            QCOMPARE(labels.value(0).first->text(QAccessible::Name), QStringLiteral("Mark Color:"));
            QCOMPARE(colors->currentText(), QStringLiteral("Black"));
            QVERIFY(dialog->findChild<QCheckBox*>()->isChecked());
            QVERIFY(button(*dialog, "Find Next")->isDefault());
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
