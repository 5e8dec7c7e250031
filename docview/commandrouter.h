#pragma once

#include <vector>

#include "docview/commandmap.h"

/// Routes a command along a chain of targets (active view, its document, its
/// frame, the main frame, the application) as a document framework does.
namespace CommandRouter {

using Chain = std::vector<CommandTarget*>;

/// Runs the first handler of the command along the chain, if the command is
/// enabled; returns whether one ran.
bool execute(const Chain& chain, CommandId id);

/// The command's state: a command no target handles is disabled (so commands of
/// features still to come stay greyed); otherwise the first update rule along
/// the chain decides, and with no rule it is enabled.
CommandState query(const Chain& chain, CommandId id);

}  // namespace CommandRouter
