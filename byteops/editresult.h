#pragma once

#include <QString>

#include "byteops/editrange.h"

/// What an edit, an undo or a redo did: the bytes to select afterwards, or
/// why the buffer was left as it was.
struct EditResult {
    bool done = false;
    EditRange selection;
    /// The message for the user when the edit was refused; empty otherwise.
    QString refusal;
};
