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
Run runVellmar(const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-display"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELLMAR_BINARY), arguments);
    // A program that opened its window would never finish by itself.
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void helpPrintsTheUsageAndOpensNoWindow_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("long") << "--help";
        QTest::newRow("short") << "-h";
    }

    void helpPrintsTheUsageAndOpensNoWindow()
    {
        QFETCH(QString, option);
        QTemporaryDir home;
        const Run run = runVellmar({option, QStringLiteral("some.bin")}, home.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Usage: vellmar [options] [FILE...]\n")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("Files to open, each as a hex document.")));
        QVERIFY(run.out.contains(home.path() + QStringLiteral("/.config/Varn Technology/Vellmar.ini")));
        QVERIFY(run.out.contains(QStringLiteral("--version")));
    }

    void versionPrintsNameAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("long") << "--version";
        QTest::newRow("short") << "-v";
        QTest::newRow("after Qt's own options") << "-style=fusion -reverse --platform offscreen -v";
    }

    void versionPrintsNameAndVersion()
    {
        QFETCH(QString, option);
        QTemporaryDir home;
        const Run run = runVellmar(option.split(u' '), home.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Vellmar 2.12\n"));
    }

    void unknownOptionIsAUsageError_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("error");
        QTest::newRow("long") << "--bogus" << "vellmar: Unknown option 'bogus'.";
        QTest::newRow("short") << "-x" << "vellmar: Unknown option 'x'.";
    }

    void unknownOptionIsAUsageError()
    {
        QFETCH(QString, option);
        QFETCH(QString, error);
        QTemporaryDir home;
        const Run run = runVellmar({option}, home.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        const QStringList lines = run.err.split(QLatin1Char('\n'));
        const qsizetype first = lines.indexOf(error);
        QVERIFY2(first >= 0, qPrintable(run.err));
        QVERIFY(lines.value(first + 1).startsWith(QStringLiteral("Usage: vellmar [options] [FILE...]")));
    }

    void filesAreThePositionalArguments()
    {
        const CommandLine commandLine =
            CommandLine::parse({QStringLiteral("/usr/bin/vellmar"), "a.bin", "--", "-dash.bin", "b c.bin"});
        QCOMPARE(commandLine.action(), CommandLine::Action::Run);
        QCOMPARE(commandLine.files(), (QStringList{"a.bin", "-dash.bin", "b c.bin"}));
        QCOMPARE(CommandLine::parse({QStringLiteral("vellmar")}).files(), QStringList());
    }

    void everyFileOpensAndAFailedOneSaysWhy()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath("first.bin");
        const QString second = dir.filePath("second.bin");
        for (const QString& path : {first, second}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        AppFixture fx({first, dir.filePath("missing.bin"), second});
        QCOMPARE(fx.windowCount(), 2);
        QCOMPARE(fx.prompter().messages(), QStringList{"Fail to open the file because No such file or directory"});
        QVERIFY(fx.frame().isVisible());
    }

    void onlyFileFailingEndsTheStartUp()
    {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        ScriptedPrompter prompter;
        CVellmarApp app;
        QVERIFY(!app.initInstance({dir.filePath("missing.bin")}));
        QCOMPARE(prompter.messages(), QStringList{"Fail to open the file because No such file or directory"});
        QVERIFY(!app.mainFrame()->isVisible());
    }
};

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
