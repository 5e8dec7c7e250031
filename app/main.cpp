#include <QApplication>

#include <cstdio>

#include "app/commandline.h"
#include "app/cvellmarapp.h"

namespace {

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
    // Read whole before the display is opened: help, version and mistakes are answered without one.
    const CommandLine commandLine = CommandLine::parse(argc, argv);
    if (commandLine.action() != CommandLine::Action::Run)
        return answer(commandLine);

    QApplication application(argc, argv);
    CVellmarApp app;
    if (!app.initInstance(commandLine.files()))
        return 1;
    return QApplication::exec();
}
