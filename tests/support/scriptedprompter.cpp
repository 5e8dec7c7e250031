#include "support/scriptedprompter.h"

#include <QPrinter>
#include <QTest>

ScriptedPrompter::ScriptedPrompter() { Prompter::setInstance(this); }

ScriptedPrompter::~ScriptedPrompter() { Prompter::setInstance(nullptr); }

QStringList ScriptedPrompter::messages() const
{
    QStringList texts;
    for (const Asked& a : m_asked)
        if (a.kind == Asked::Kind::Message)
            texts << a.text;
    return texts;
}

Prompter::Answer ScriptedPrompter::message(QWidget*, const QString&, const QString& text, Icon icon, Buttons buttons)
{
    m_asked.push_back({Asked::Kind::Message, text, icon, buttons, {}});
    if (m_answers.empty()) {
        if (buttons != Buttons::Ok)
            QTest::qFail(qPrintable("unscripted question: " + text), __FILE__, __LINE__);
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const Answer next = m_answers.front();
    m_answers.pop_front();
    return next;
}

QString ScriptedPrompter::openFileName(QWidget*, const FileRequest& request)
{
    m_asked.push_back({Asked::Kind::OpenFile, request.title, Icon::None, Buttons::Ok, request});
    return nextPath("open");
}

QString ScriptedPrompter::saveFileName(QWidget*, const FileRequest& request)
{
    m_asked.push_back({Asked::Kind::SaveFile, request.title, Icon::None, Buttons::Ok, request});
    return nextPath("save");
}

bool ScriptedPrompter::choosePrinter(QWidget*, QPrinter& printer, PrinterDialog dialog)
{
    const bool print = dialog == PrinterDialog::Print;
    m_asked.push_back({Asked::Kind::Printer, print ? QStringLiteral("Print") : QStringLiteral("Page Setup"),
                       Icon::None, Buttons::Ok, {}});
    const QString path = print ? nextPath("print") : QString();
    if (!path.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    return !print || !path.isEmpty();
}

QString ScriptedPrompter::nextPath(const char* what)
{
    if (m_paths.empty()) {
        QTest::qFail(qPrintable(QString("unscripted %1 file dialog").arg(what)), __FILE__, __LINE__);
        return {};
    }
    QString path = m_paths.front();
    m_paths.pop_front();
    return path;
}
