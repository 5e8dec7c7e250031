#include "docview/commandrouter.h"

#include <algorithm>

namespace CommandRouter {

CommandState query(const Chain& chain, CommandId id)
{
    CommandState state;
    state.enabled = std::any_of(chain.begin(), chain.end(),
                                [id](const CommandTarget* target) { return target->commands().handler(id) != nullptr; });
    if (!state.enabled)
        return state;
    for (const CommandTarget* target : chain) {
        if (const auto* updater = target->commands().updater(id)) {
            (*updater)(state);
            break;
        }
    }
    return state;
}

bool execute(const Chain& chain, CommandId id)
{
    if (!query(chain, id).enabled)
        return false;
    for (CommandTarget* target : chain) {
        if (const auto* handler = target->commands().handler(id)) {
            // The handler may close the window that owns the chain: copy it first.
            const CommandMap::Handler run = *handler;
            run();
            return true;
        }
    }
    return false;
}

}  // namespace CommandRouter
