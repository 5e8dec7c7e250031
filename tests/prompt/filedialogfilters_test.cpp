#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "prompt/filedialogfilters.h"
#include "prompt/prompter.h"

class FileDialogFiltersTest : public QObject {
    Q_OBJECT

private slots:
    void textsStayAndStarDotStarMatchesEverything()
    {
        const std::pair<QString, QStringList> kRows[] = {
            {"All Files (*.*)", {"All Files (*.*) (*)"}},
            {"Text Files (*.txt);;All Files (*.*)", {"Text Files (*.txt) (*.txt)", "All Files (*.*) (*)"}},
            {"Logs (*.log *.*)", {"Logs (*.log *.*) (*.log *)"}},
            {"All Files (*)", {"All Files (*) (*)"}},
        };
        for (const auto& [filter, forDialog] : kRows)
            QCOMPARE(FileDialogFilters::forDialog(filter), forDialog);
    }

    void allFilesListsNamesWithoutADot()
    {
        QTemporaryDir dir;
        for (const char* name : {"README", "notes.txt"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        Prompter::FileRequest request;
        request.title = QStringLiteral("Open");
        request.directory = dir.path();
        request.filter = QStringLiteral("Text Files (*.txt);;Document Files (*.doc);;All Files (*.*)");
        // The real dialog, looked at while it is open: its filters, and the files listed under the last one.
        QStringList shownFilters;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            [&] {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
                QVERIFY(types && view);
                for (int i = 0; i < types->count(); ++i)
                    shownFilters << types->itemText(i);
                types->setCurrentIndex(types->count() - 1);
                emit types->activated(types->count() - 1);
                QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
                for (int row = 0; row < 2; ++row)
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }();
            // Cancelled whatever was found.
            dialog->reject();
        });
        QCOMPARE(Prompter::instance().openFileName(nullptr, request), QString());
        QCOMPARE(shownFilters, (QStringList{"Text Files (*.txt)", "Document Files (*.doc)", "All Files (*.*)"}));
        listed.sort();
        QCOMPARE(listed, (QStringList{"README", "notes.txt"}));
    }
};

QTEST_MAIN(FileDialogFiltersTest)
#include "filedialogfilters_test.moc"
