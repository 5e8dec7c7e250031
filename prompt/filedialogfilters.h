#pragma once

#include <QString>
#include <QStringList>

/// The name filters a file dialog is given for a request's filter string
/// ("Text Files (*.txt);;All Files (*.*)"). Each keeps its text, and the
/// patterns it matches follow it in a second pair of brackets that the dialog
/// hides: "*.*", which matches every file where these texts come from, matches
/// "*" here, so names without a dot are listed too.
namespace FileDialogFilters {

QStringList forDialog(const QString& filter);

}  // namespace FileDialogFilters
