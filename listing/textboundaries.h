#pragma once

#include "listing/textsource.h"

/// Word steps within the lines of a TextSource, shared by the control's keys
/// and double-click and by its accessibility. A word is a run of characters of
/// one class (letters, digits and '_'; punctuation; blanks) on one line, so a
/// step never reads more than one line.
namespace TextBoundaries {
/// The run of one character class around pos; empty at a line's end.
TextRange wordAt(const TextSource& text, TextPos pos);
/// The start of the next word after pos (blanks skipped); a line's end steps to the next line.
TextPos nextWordStart(const TextSource& text, TextPos pos);
/// The start of the word before pos (blanks skipped); a line's start steps to the previous line's end.
TextPos previousWordStart(const TextSource& text, TextPos pos);
/// The line around pos, its line break included.
TextRange lineAt(const TextSource& text, TextPos pos);
}  // namespace TextBoundaries
