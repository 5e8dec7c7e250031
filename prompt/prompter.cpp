#include "prompt/prompter.h"

#include "prompt/filedialogfilters.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {

/// Shows real message boxes and file dialogs.
class DialogPrompter final : public Prompter {
public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons) override
    {
        QMessageBox box(iconOf(icon), title, text, buttonsOf(buttons), parent);
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
        }
    }

    QString openFileName(QWidget* parent, const FileRequest& request) override
    {
        QFileDialog dialog(parent, request.title, request.directory);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return run(dialog, request);
    }

    QString saveFileName(QWidget* parent, const FileRequest& request) override
    {
        QFileDialog dialog(parent, request.title, request.directory);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        return run(dialog, request);
    }

    bool choosePrinter(QWidget* parent, QPrinter& printer, PrinterDialog dialog) override
    {
        if (dialog == PrinterDialog::PageSetup)
            return QPageSetupDialog(&printer, parent).exec() == QDialog::Accepted;
        QPrintDialog printDialog(&printer, parent);
        printDialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        return printDialog.exec() == QDialog::Accepted;
    }

private:
    static QString run(QFileDialog& dialog, const FileRequest& request)
    {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(FileDialogFilters::forDialog(request.filter));
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    static QMessageBox::Icon iconOf(Icon icon)
    {
        switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Stop: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::None: break;
        }
        return QMessageBox::NoIcon;
    }

    static QMessageBox::StandardButtons buttonsOf(Buttons buttons)
    {
        switch (buttons) {
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::Ok: break;
        }
        return QMessageBox::Ok;
    }
};

DialogPrompter g_dialogPrompter;
Prompter* g_prompter = nullptr;

const QString kTitle = QStringLiteral("Vellmar");

}  // namespace

Prompter& Prompter::instance()
{
    return g_prompter ? *g_prompter : g_dialogPrompter;
}

void Prompter::setInstance(Prompter* prompter)
{
    g_prompter = prompter;
}

void Prompter::error(QWidget* parent, const QString& text)
{
    instance().message(parent, kTitle, text, Icon::Warning, Buttons::Ok);
}

void Prompter::info(QWidget* parent, const QString& text)
{
    instance().message(parent, kTitle, text, Icon::Information, Buttons::Ok);
}

bool Prompter::stopQuestion(QWidget* parent, const QString& text)
{
    return instance().message(parent, kTitle, text, Icon::Stop, Buttons::YesNo) == Answer::Yes;
}
