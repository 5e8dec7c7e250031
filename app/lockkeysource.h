#pragma once

#include <optional>

/// Where the status bar learns whether Caps Lock, Num Lock and Scroll Lock
/// are on: the platform's keyboard indicators, or a state a test feeds.
class LockKeySource {
public:
    struct State {
        bool capsLock = false;
        bool numLock = false;
        bool scrollLock = false;
    };

    virtual ~LockKeySource() = default;

    /// The keyboard's state now, or nothing when the platform does not tell it.
    virtual std::optional<State> state() const = 0;
};
