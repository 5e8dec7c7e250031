#pragma once

#include "app/lockkeysource.h"

/// The keyboard indicators of the X server the program runs on, read through
/// the XKB extension. On any other platform (Wayland, offscreen) the state is
/// unknown.
class X11LockKeySource final : public LockKeySource {
public:
    std::optional<State> state() const override;
};
