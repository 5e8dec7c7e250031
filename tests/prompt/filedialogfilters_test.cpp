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

namespace {

/// The filters the dialog offers, and the files it lists under the last one.
void inspect(QFileDialog& dialog, QStringList& shownFilters, QStringList& listed)
{
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(types && view);
    for (int i = 0; i < types->count(); ++i)
        shownFilters << types->itemText(i);
    types->setCurrentIndex(types->count() - 1);
    emit types->activated(types->count() - 1);
    QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
    for (int row = 0; row < 2; ++row)
        listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
}

}  // namespace

class FileDialogFiltersTest : public QObject {
    Q_OBJECT

private slots:
    void textsStayAndStarDotStarMatchesEverything_data();
    void textsStayAndStarDotStarMatchesEverything();
    void allFilesListsNamesWithoutADot();
};

void FileDialogFiltersTest::textsStayAndStarDotStarMatchesEverything_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("forDialog");
    QTest::newRow("all files") << "All Files (*.*)" << QStringList{"All Files (*.*) (*)"};
    QTest::newRow("several") << "Text Files (*.txt);;All Files (*.*)"
                             << QStringList{"Text Files (*.txt) (*.txt)", "All Files (*.*) (*)"};
    QTest::newRow("patterns kept") << "Logs (*.log *.*)" << QStringList{"Logs (*.log *.*) (*.log *)"};
    QTest::newRow("already a star") << "All Files (*)" << QStringList{"All Files (*) (*)"};
}

void FileDialogFiltersTest::textsStayAndStarDotStarMatchesEverything()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, forDialog);
    QCOMPARE(FileDialogFilters::forDialog(filter), forDialog);
}

void FileDialogFiltersTest::allFilesListsNamesWithoutADot()
{
    QTemporaryDir dir;
    for (const char* name : {"README", "notes.txt"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Prompter::FileRequest request;
    request.title = QStringLiteral("Open");
    request.directory = dir.path();
    request.filter = QStringLiteral("Text Files (*.txt);;Document Files (*.doc);;All Files (*.*)");

    QStringList shownFilters;
    QStringList listed;
    // The real dialog, looked at while it is open, then cancelled whatever was found.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        inspect(*dialog, shownFilters, listed);
        dialog->reject();
    });
    QCOMPARE(Prompter::instance().openFileName(nullptr, request), QString());
    QCOMPARE(shownFilters, (QStringList{"Text Files (*.txt)", "Document Files (*.doc)", "All Files (*.*)"}));
    listed.sort();
    QCOMPARE(listed, (QStringList{"README", "notes.txt"}));
}

QTEST_MAIN(FileDialogFiltersTest)
#include "filedialogfilters_test.moc"
