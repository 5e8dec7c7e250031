#include <QApplication>

#include <cstdio>

#include "app/commandline.h"
#include "app/cvellmarapp.h"

namespace {

QStringList rawArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

/// Answers a command line that asks for no window; the exit status.
int answer(const CommandLine& commandLine)
{
    switch (commandLine.action()) {
    case CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(commandLine.usage()), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    case CommandLine::Action::Fail:
        std::fprintf(stderr, "%s\n%s", qPrintable(commandLine.errorText()), qPrintable(commandLine.usage()));
        return CommandLine::kUsageError;
    case CommandLine::Action::Run:
        break;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Varn Technology"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellmar"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.12"));
    // Help and version are answered before the display is opened, so they work without one.
    const CommandLine early = CommandLine::parse(rawArguments(argc, argv));
    if (early.action() == CommandLine::Action::ShowHelp || early.action() == CommandLine::Action::ShowVersion)
        return answer(early);

    QApplication application(argc, argv);
    // Parsed again once Qt has taken its own options (-style, -platform, ...) out.
    const CommandLine commandLine = CommandLine::parse(QApplication::arguments());
    if (commandLine.action() != CommandLine::Action::Run)
        return answer(commandLine);
    CVellmarApp app;
    if (!app.initInstance(commandLine.files()))
        return 1;
    return QApplication::exec();
}
