#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "settings/settingsstore.h"

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edit files as hexadecimal bytes, compare two files, mark byte patterns and exchange bytes "
                       "with a serial port.\n\nSettings file: %1")
            .arg(SettingsStore::filePath()));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Files to open, each as a hex document."),
                                 QStringLiteral("[FILE...]"));

    CommandLine result;
    // The program goes by its file name, whether or not an application object
    // (which the parser would take its path from) exists yet.
    const QString program = arguments.isEmpty() ? QStringLiteral("vellmar") : QFileInfo(arguments.front()).fileName();
    result.m_usage = parser.helpText();
    result.m_usage.replace(0, result.m_usage.indexOf(QStringLiteral(" [options]")), QStringLiteral("Usage: ") + program);
    if (!parser.parse(arguments)) {
        result.m_action = Action::Fail;
        result.m_error = program + QStringLiteral(": ") + parser.errorText();
    } else if (parser.isSet(help)) {
        result.m_action = Action::ShowHelp;
    } else if (parser.isSet(version)) {
        result.m_action = Action::ShowVersion;
    } else {
        result.m_files = parser.positionalArguments();
    }
    return result;
}
