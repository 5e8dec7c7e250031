#pragma once

#include <functional>
#include <unordered_map>

#include "res/commandids.h"

/// What an update pass decides for one command.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

/// The commands one target handles, and the rules that enable them.
class CommandMap {
public:
    using Handler = std::function<void()>;
    using Updater = std::function<void(CommandState&)>;

    void onCommand(CommandId id, Handler handler) { m_handlers[id] = std::move(handler); }
    void onUpdate(CommandId id, Updater updater) { m_updaters[id] = std::move(updater); }
    /// Shorthand: the command is enabled while the predicate holds.
    void enableWhen(CommandId id, std::function<bool()> predicate)
    {
        onUpdate(id, [p = std::move(predicate)](CommandState& s) { s.enabled = p(); });
    }

    const Handler* handler(CommandId id) const
    {
        const auto it = m_handlers.find(id);
        return it == m_handlers.end() ? nullptr : &it->second;
    }
    const Updater* updater(CommandId id) const
    {
        const auto it = m_updaters.find(id);
        return it == m_updaters.end() ? nullptr : &it->second;
    }

private:
    std::unordered_map<CommandId, Handler> m_handlers;
    std::unordered_map<CommandId, Updater> m_updaters;
};

/// Something commands are routed through: a view, a document, a frame or the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    CommandMap& commands() { return m_commands; }
    const CommandMap& commands() const { return m_commands; }

private:
    CommandMap m_commands;
};
