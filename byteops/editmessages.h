#pragma once

#include <QString>

#include "byteops/editstep.h"

/// The messages of the byte editing commands: edits the buffer could not
/// take, and the notes they leave in the status bar.
namespace EditMessages {

enum class Action { Insert, Paste, Undo, Redo, Copy, Cut };

/// Why count bytes could not be added (or, by Copy and Cut, put on the clipboard) by action, naming the size.
QString refusal(Action action, qint64 count, EditStep::Outcome outcome);

/// Asked before a change of count bytes whose undo would not fit the history's undoLimit bytes.
QString cannotUndoQuestion(qint64 count, qint64 undoLimit);
/// Find Next found no further occurrence.
QString notFound();
/// Cut or Copy put more bytes on the clipboard than it offers as text too.
QString copiedWithoutText();

}  // namespace EditMessages
