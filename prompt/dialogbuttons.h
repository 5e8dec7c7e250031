#pragma once

#include <QDialogButtonBox>

class QDialog;

/// The row of standard buttons under a dialog, labelled "OK" and "Cancel"
/// as the program's dialogs always are, wired to the dialog's accept() and
/// reject() so that a dialog's checks on OK run.
QDialogButtonBox* makeDialogButtons(QDialog* dialog, QDialogButtonBox::StandardButtons buttons);
