#pragma once

#include <QString>

#include "byteops/editstep.h"

/// The messages of edits the buffer could not take.
namespace EditMessages {

enum class Action { Insert, Paste, Undo, Redo };

/// Why count bytes could not be added by action, naming the size.
QString refusal(Action action, qint64 count, EditStep::Outcome outcome);

}  // namespace EditMessages
