#pragma once

#include "res/commandids.h"

#include <QIcon>
#include <QString>

class QAction;
class QObject;

/// A QAction for a command, carrying everything the command tables know about
/// it: text, status prompt, tooltip, "What's This" text, object name
/// "command_<id>", the id as data and the toolbar icon if it has one.
/// The text may hold a "&" mnemonic and, after a tab, the accelerator text.
QAction* makeCommandAction(CommandId id, const QString& text, QObject* parent);

/// The command's toolbar icon, or a null icon when it has none.
QIcon commandIcon(CommandId id);

/// The text of a numbered menu item that names a file or window, "&2 name":
/// an "&" in the name shows as itself, not as a mnemonic.
QString numberedMenuText(int number, const QString& name);
