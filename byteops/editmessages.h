#pragma once

#include <QString>

#include "byteops/editstep.h"

/// The messages of edits the buffer could not take.
namespace EditMessages {

enum class Action { Insert, Paste, Undo, Redo, Copy, Cut };

/// Why count bytes could not be added (or, by Copy and Cut, put on the clipboard) by action, naming the size.
QString refusal(Action action, qint64 count, EditStep::Outcome outcome);

}  // namespace EditMessages
