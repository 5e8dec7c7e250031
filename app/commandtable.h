#pragma once

#include "res/commandids.h"

#include <QString>

#include <span>

/// The status-bar prompt and tooltip of every command, kept as one string per
/// command ("prompt\ntooltip") so the table reads like the program's string
/// resources and each text has exactly one home.
struct CommandPrompt {
    CommandId id;
    const char* text;
};

/// The whole prompt table, in ascending id order.
std::span<const CommandPrompt> commandPrompts();

/// The full prompt string of a command, or an empty string for an unknown id.
QString commandPromptString(CommandId id);
/// The text before the line feed: what the status bar shows on hover.
QString statusPrompt(CommandId id);
/// The text after the line feed, or an empty string when the command has none.
QString toolTipText(CommandId id);
