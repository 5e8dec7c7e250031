#pragma once

#include "prompt/prompter.h"

/// The file dialogs of Import Hex Values Text and Export Hex Display Text share
/// their filter and default extension.
namespace TextFileDialogs {

inline Prompter::FileRequest request(const char* title)
{
    Prompter::FileRequest r;
    r.title = QString::fromLatin1(title);
    r.filter = QStringLiteral("Text Files (*.txt);;Document Files (*.doc);;All Files (*.*)");
    r.defaultSuffix = QStringLiteral("txt");
    r.confirmOverwrite = true;
    return r;
}

}  // namespace TextFileDialogs
