#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/cmainframe.h"
#include "app/commandline.h"
#include "support/apptestbase.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

/// Runs the built program with a home of its own, and no display: a platform
/// that does not exist aborts the program should it try to open one.
Run runVellmar(const QString& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-display"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELLMAR_BINARY), arguments.split(QLatin1Char(' ')));
    // A program that opened its window would never finish by itself.
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    // Help and version print and open no window, also after Qt's own options; an unknown option is a usage error.
    void optionsPrintAndEndTheProgram()
    {
        QTemporaryDir home;
        const QString usage = QStringLiteral("Usage: vellmar [options] [FILE...]\n");
        for (const char* option : {"--help some.bin", "-h"}) {
            const Run run = runVellmar(QString::fromLatin1(option), home.path());
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.startsWith(usage) && run.out.contains("Files to open, each as a hex document.")
                         && run.out.contains(home.path() + "/.config/Varn Technology/Vellmar.ini")
                         && run.out.contains("--version"),
                     qPrintable(run.out));
        }
        for (const char* option : {"--version", "-style=fusion -reverse --platform offscreen -v"}) {
            const Run run = runVellmar(QString::fromLatin1(option), home.path());
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, QStringLiteral("Vellmar 2.12\n"));
        }
        for (const char* option : {"--bogus", "-x"}) {
            const Run run = runVellmar(QString::fromLatin1(option), home.path());
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.out, QString());
            const QString error = QStringLiteral("vellmar: Unknown option '%1'.\n").arg(QString::fromLatin1(option).remove('-'));
            QVERIFY2(run.err.contains(error + usage), qPrintable(run.err));
        }
    }

    void filesAreThePositionalArguments()
    {
        const CommandLine commandLine =
            CommandLine::parse({QStringLiteral("/usr/bin/vellmar"), "a.bin", "--", "-dash.bin", "b c.bin"});
        QCOMPARE(commandLine.action(), CommandLine::Action::Run);
        QCOMPARE(commandLine.files(), (QStringList{"a.bin", "-dash.bin", "b c.bin"}));
    }

    // Every file opens and a failed one says why; when the only file fails, the start-up ends.
    void everyFileOpensAndAFailedOneSaysWhy()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("missing.bin");
        const QStringList why{"Fail to open the file because No such file or directory"};
        const QString first = dir.filePath("first.bin");
        const QString second = dir.filePath("second.bin");
        for (const QString& path : {first, second}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
        }
        {
            AppFixture fx({first, missing, second});
            QCOMPARE(fx.windowCount(), 2);
            QCOMPARE(fx.prompter().messages(), why);
            QVERIFY(fx.frame().isVisible());
        }
        ScriptedPrompter prompter;
        CVellmarApp app;
        QVERIFY(!app.initInstance({missing}));
        QCOMPARE(prompter.messages(), why);
        QVERIFY(!app.mainFrame()->isVisible());
    }
};

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
