#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include "prompt/filedialogfilters.h"
#include "prompt/prompter.h"
#include "support/apptestbase.h"

class FileDialogFiltersTest : public QObject {
    Q_OBJECT

private slots:
    // Filter texts stay as written, and "*.*" matches every name, one without a dot too, in the real dialog.
    void textsStayAndAllFilesListsNamesWithoutADot()
    {
        QCOMPARE(FileDialogFilters::forDialog(QStringLiteral("Text Files (*.txt);;Logs (*.log *.*);;All Files (*)")),
                 (QStringList{"Text Files (*.txt) (*.txt)", "Logs (*.log *.*) (*.log *)", "All Files (*) (*)"}));
        QTemporaryDir dir;
        for (const char* name : {"README", "notes.txt"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        Prompter::FileRequest request;
        request.title = QStringLiteral("Open");
        request.directory = dir.path();
        request.filter = QStringLiteral("Text Files (*.txt);;Document Files (*.doc);;All Files (*.*)");
        // The real dialog, looked at while it is open: its filters, and the files listed under the last one.
        QStringList shownFilters, listed;
        AppFixture::onNextModal([&](QDialog& dialog) {
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(types && view);
            for (int i = 0; i < types->count(); ++i)
                shownFilters << types->itemText(i);
            types->setCurrentIndex(2);
            emit types->activated(2);
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
            for (int row = 0; row < 2; ++row)
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        });
        QCOMPARE(Prompter::instance().openFileName(nullptr, request), QString());
        QCOMPARE(shownFilters, (QStringList{"Text Files (*.txt)", "Document Files (*.doc)", "All Files (*.*)"}));
        listed.sort();
        QCOMPARE(listed, (QStringList{"README", "notes.txt"}));
    }
};

QTEST_MAIN(FileDialogFiltersTest)
#include "filedialogfilters_test.moc"
