#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/commandline.h"
#include "byteops/fieldids.h"
#include "hexdoc/cvellmardoc.h"
#include "safewrite/systempath.h"
#include "settings/settingsstore.h"
#include "settings/recentfilelist.h"
#include "support/apptestbase.h"
#include "support/asordinaryuser.h"
#include "support/childprocess.h"
#include "support/dialogdriver.h"
#include "support/ownedpty.h"
#include "support/watchdog.h"

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString sparseFile(const QString& path, qint64 size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))  // holes: no disk space used
        QTest::qFail("cannot make the sparse file", __FILE__, __LINE__);
    return path;
}

/// A file named by its bytes (QFile would decode the name).
QByteArray readRaw(const QByteArray& path)
{
    std::ifstream in(path.constData(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

void changeFirstByte(CVellmarDoc* doc, std::uint8_t value)
{
    doc->bytes().setBytes(0, std::span(&value, 1));
    doc->setBytesChanged(1);
}

}  // namespace

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    void streamsAreRefusedByEveryFileCommand()
    {
        AppFixture fx;
        const OwnedPty pty;
        const QString fifo = fx.path("fifo");
        QCOMPARE(::mkfifo(encoded(fifo).constData(), 0666), 0);
        fx.run(CommandId::FileNew);  // unsaved bytes, which every refusal must leave alone
        CVellmarDoc* doc = fx.activeDoc();
        const QStringList recent = RecentFileList::instance().files();
        Watchdog watchdog;
        for (const auto& [path, reason] : {std::pair{fifo, QString("Is a named pipe (FIFO), not a file or disk")},
                                           std::pair{pty.path, QString("Is a character device, not a file or disk")}}) {
            fx.prompter().clear();
            for (const CommandId command : {CommandId::FileOpen, CommandId::ImportHexValuesText,
                                            CommandId::FileSaveAs, CommandId::ExportHexDisplayText}) {
                fx.prompter().answerFile(path);
                fx.run(command);
            }
            QCOMPARE(fx.prompter().messages(),
                     (QStringList{"Fail to open the file because " + reason,
                                  "Failed to open file " + path + "\nCause: " + reason,
                                  "Failed to save the file " + path + "\nCause: " + reason,
                                  "Failed to save the hex display into the export file" + path + "\nCause: " + reason}));
        }
        QCOMPARE(fx.windowCount(), 1);
        QCOMPARE(fx.activeDoc(), doc);
        QVERIFY(doc->isModified());
        QCOMPARE(doc->title(), QStringLiteral("Vellmar1"));
        QCOMPARE(RecentFileList::instance().files(), recent);
    }

    void readOnlyFileIsNotReplaced()
    {
        if (!AsOrdinaryUser::possible())
            QSKIP("needs root to act as another user");
        AppFixture fx;
        // The user's own read-only file in the user's own folder.
        const QString folder = fx.path("home");
        const QString file = folder + "/readonly.bin";
        QVERIFY(QDir().mkdir(folder) && QFile::copy(fx.writeFile("source.bin", "original"), file));
        ::chmod(encoded(fx.path(".")).constData(), 0755);
        ::chown(encoded(folder).constData(), kNobody, kNobody);
        ::chown(encoded(file).constData(), kNobody, kNobody);
        ::chmod(encoded(file).constData(), 0444);
        QVERIFY(fx.app().openDocumentFile(file));
        changeFirstByte(fx.activeDoc(), 'O');
        {
            AsOrdinaryUser user;
            fx.run(CommandId::FileSave);
        }
        QCOMPARE(fx.prompter().messages(), QStringList{"Failed to save the file " + file + "\nCause: Permission denied"});
        QCOMPARE(AppFixture::readFile(file), QByteArray("original"));
        QVERIFY(fx.activeDoc()->isModified());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void aNameThatIsNotUtf8NamesThatFileOnly()
    {
        QTemporaryDir dir;
        const QByteArray name = encoded(dir.path()) + "/caf\xE9.bin";
        const QByteArray lookalike = encoded(dir.path()) + "/caf\xEF\xBF\xBD.bin";  // what a lossy decoding names
        for (const auto& [path, bytes] : {std::pair{name, QByteArray("latin")}, {lookalike, QByteArray("other")}}) {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0 && ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size());
            ::close(fd);
        }
        const char* argv[] = {"vellmar", lookalike.constData(), name.constData()};
        AppFixture fx(CommandLine::parse(3, argv).files());
        QCOMPARE(fx.windowCount(), 2);
        changeFirstByte(fx.activeDoc(), 'L');
        fx.run(CommandId::FileSave);
        QCOMPARE(fx.prompter().messages(), QStringList());
        QCOMPARE(readRaw(name), QByteArray("Latin"));
        QCOMPARE(readRaw(lookalike), QByteArray("other"));
        RecentFileList::instance().load();
        QCOMPARE(SystemPath::encode(RecentFileList::instance().files().value(0)), name);
    }

    void aSettingsFileThatIsNotAFileIsIgnored()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QByteArray settings = encoded(SettingsStore::filePath());
        QFile::remove(SettingsStore::filePath());
        QDir().mkpath(QFileInfo(SettingsStore::filePath()).path());
        QCOMPARE(::mkfifo(settings.constData(), 0666), 0);
        {
            Watchdog watchdog;  // reading the FIFO would wait for a writer for ever
            ScriptedPrompter prompter;
            CVellmarApp app;
            QVERIFY(app.initInstance({}));
        }
        struct stat st {};
        QVERIFY(::stat(settings.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        ::unlink(settings.constData());
    }

    void fileChangedByAnotherProgramIsToldOnceAndReloaded_data()
    {
        QTest::addColumn<bool>("replaced");  // else truncated in place
        QTest::newRow("truncated") << false;
        QTest::newRow("replaced") << true;
    }

    void fileChangedByAnotherProgramIsToldOnceAndReloaded()
    {
        QFETCH(bool, replaced);
        AppFixture fx;
        const QString file = fx.writeFile("watched.bin", QByteArray(2 << 20, 'a'));  // large enough to be read lazily
        QVERIFY(fx.app().openDocumentFile(file));
        CVellmarDoc* doc = fx.activeDoc();
        const QString changed = "The file " + file + " was changed by another program.";
        fx.prompter().answer(Prompter::Answer::Yes);
        if (replaced)
            QCOMPARE(::rename(encoded(fx.writeFile("new.bin", "replacement")).constData(), encoded(file).constData()), 0);
        else
            QVERIFY(QFile::resize(file, 1000));
        QTRY_COMPARE(fx.prompter().messages(), QStringList{changed + "\nDo you want to reload it?"});
        const QByteArray now = replaced ? QByteArray("replacement") : QByteArray(1000, 'a');
        QCOMPARE(doc->bytes().copy(0, doc->bytes().size()), ByteBuffer(now.begin(), now.end()));
        QVERIFY(!doc->isModified());
        // Changed again and not reloaded: Save asks before it overwrites.
        fx.prompter().clear();
        fx.prompter().answer(Prompter::Answer::No);
        fx.prompter().answer(Prompter::Answer::No);
        QVERIFY(QFile::resize(file, 10));
        QTRY_COMPARE(fx.prompter().messages().size(), 1);
        fx.run(CommandId::FileSave);
        QCOMPARE(fx.prompter().messages().value(1), changed + "\nDo you want to overwrite it?");
        QCOMPARE(QFile(file).size(), 10);
    }

    // Import, Copy, Cut and Paste each refuse what memory cannot hold: the program and its documents stay.
    void runningOutOfMemoryKeepsTheProgramAndItsDocuments()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer cannot run under an address-space limit");
#endif
        AppFixture fx;
        fx.run(CommandId::FileNew);
        const QString text = sparseFile(fx.path("big.txt"), qint64(6) << 30);
        // The binary is read lazily: it opens whatever memory is left.
        QVERIFY(fx.app().openDocumentFile(sparseFile(fx.path("big.bin"), qint64(64) << 20)));
        const auto onWholeFile = [&fx](CommandId command) {
            AppFixture::onNextModal([](QDialog& dialog) {
                DialogDriver::fieldOf(dialog, FieldId::StartAddress)->setText("0");
                if (QLineEdit* end = DialogDriver::fieldOf(dialog, FieldId::EndAddress))
                    end->setText("3FFFFFF");
                dialog.accept();
            });
            fx.run(command);
        };
        onWholeFile(CommandId::CopyBytes);  // before the limit: the whole file on the clipboard, for Paste
        // Painted here: a forked child cannot paint, the painter's worker threads stay behind.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        // In a child whose address space holds what the program holds now and a little more: not one more
        // copy, far from the text's bytes.
        const ChildOutcome outcome = runInChild([&] {
            QFile statm("/proc/self/statm");
            statm.open(QIODevice::ReadOnly);
            const rlim_t inUse = rlim_t(statm.readAll().split(' ').front().toULongLong()) * rlim_t(::sysconf(_SC_PAGESIZE));
            const rlimit limit{inUse + (rlim_t(32) << 20), RLIM_INFINITY};
            ::setrlimit(RLIMIT_AS, &limit);
            fx.prompter().answerFile(text);
            fx.run(CommandId::ImportHexValuesText);
            for (CommandId command : {CommandId::CopyBytes, CommandId::CutBytes, CommandId::PasteBytes})
                onWholeFile(command);
            return (fx.prompter().messages() << QString::number(fx.windowCount()) << fx.activeDoc()->title()
                    << QString::number(fx.activeDoc()->bytes().size())).join('|').toUtf8();
        });
        QVERIFY(outcome.exitedNormally);
        QCOMPARE(QString::fromUtf8(outcome.report).split('|'),
                 (QStringList{"Failed to read first file " + text + "\nCause: Cannot allocate memory",
                              "Cannot copy 67108864 bytes: there is not enough memory.",
                              "Cannot cut 67108864 bytes: there is not enough memory.",
                              "Cannot paste 67108864 bytes: there is not enough memory.", "2", "big.bin", "67108864"}));
    }
};

QTEST_MAIN(FileIoTest)
#include "fileio_test.moc"
