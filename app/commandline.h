#pragma once

#include <QString>
#include <QStringList>

/// The program's command line as Linux programs have it: the files to open,
/// or a request for the usage or the version, or a mistake to report.
class CommandLine {
public:
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    /// The exit status of a command line that cannot be understood.
    static constexpr int kUsageError = 2;

    /// arguments begin with the program's name, as argv does.
    static CommandLine parse(const QStringList& arguments);
    /// The program's own argv, Qt's options included. File names keep their
    /// bytes (SystemPath), which QApplication::arguments() would not for a
    /// name that is not UTF-8.
    static CommandLine parse(int argc, const char* const* argv);

    Action action() const { return m_action; }
    const QStringList& files() const { return m_files; }
    /// The usage: synopsis, options, what the files are, where the settings live.
    const QString& usage() const { return m_usage; }
    /// One line saying what is wrong, when action() is Fail.
    const QString& errorText() const { return m_error; }

private:
    Action m_action = Action::Run;
    QStringList m_files;
    QString m_usage;
    QString m_error;
};
