#pragma once

#include <QString>

class QPrinter;
class QWidget;

/// The one seam through which the program asks the user anything: message
/// boxes, Yes/No questions and file dialogs. The program uses the instance set
/// at start-up; tests install a scripted one and assert the exact texts asked.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Stop, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };
    enum class PrinterDialog { Print, PageSetup };

    struct FileRequest {
        QString title;
        QString filter;         // Qt filter syntax: "Text Files (*.txt);;All Files (*)"
        QString defaultSuffix;  // without the dot
        QString directory;
        bool confirmOverwrite = true;
    };

    virtual ~Prompter() = default;

    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons) = 0;
    /// Returns the chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileRequest& request) = 0;
    /// Lets the user choose the printer and its options; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, PrinterDialog dialog) = 0;

    static Prompter& instance();
    /// Installs a prompter (not owned); nullptr restores the one that shows real dialogs.
    static void setInstance(Prompter* prompter);

    // Shorthands for the common cases, all through instance().
    static void error(QWidget* parent, const QString& text);
    static void info(QWidget* parent, const QString& text);
    /// The Yes/No question with the stop icon that guards running work; true for Yes.
    static bool stopQuestion(QWidget* parent, const QString& text);
};
