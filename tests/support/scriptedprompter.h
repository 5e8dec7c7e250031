#pragma once

#include <QString>
#include <QStringList>

#include <deque>

#include "prompt/prompter.h"

/// Answers the program's questions from a script and records what was asked.
/// Installs itself for its lifetime. An unscripted question fails the test
/// and is answered with Cancel (or an empty path).
class ScriptedPrompter final : public Prompter {
public:
    struct Asked {
        enum class Kind { Message, OpenFile, SaveFile, Printer } kind;
        QString text;  // message text, or the file dialog's title
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        FileRequest request;
    };

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    void answer(Answer answer) { m_answers.push_back(answer); }
    void answerFile(const QString& path) { m_paths.push_back(path); }
    /// The print dialog prints to this PDF file; an empty path cancels it.
    void answerPrintToPdf(const QString& path) { m_paths.push_back(path); }

    const std::deque<Asked>& asked() const { return m_asked; }
    /// The texts of the messages shown so far, in order.
    QStringList messages() const;
    void clear() { m_asked.clear(); }

    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    /// The page setup dialog is accepted unchanged.
    bool choosePrinter(QWidget* parent, QPrinter& printer, PrinterDialog dialog) override;

private:
    QString nextPath(const char* what);

    std::deque<Answer> m_answers;
    std::deque<QString> m_paths;
    std::deque<Asked> m_asked;
};
