#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "safewrite/systempath.h"
#include "settings/settingsstore.h"

namespace {

struct QtOption {
    const char* name;
    bool takesValue;
};

// The options QApplication takes out of the command line for itself. The line
// is read whole before the application object exists (an unknown option must
// be reported where no display can be opened), so they are known here too.
constexpr QtOption kQtOptions[] = {
    {"platform", true},     {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},     {"qwindowtitle", true},  {"geometry", true},
    {"display", true},      {"session", true},            {"style", true},         {"stylesheet", true},
    {"qmljsdebugger", true}, {"reverse", false},          {"widgetcount", false},  {"testability", false},
};

void addQtOptions(QCommandLineParser& parser)
{
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

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
    addQtOptions(parser);
    // Qt's own options are words after one dash ("-platform"), so ours are too.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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

CommandLine CommandLine::parse(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << SystemPath::decode(QByteArray(argv[i]));
    return parse(arguments);
}
