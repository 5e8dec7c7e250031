#pragma once

#include <vector>

#include "listing/formatranges.h"

/// Colours that the owner of a listing lays over its text (the byte marks of
/// a hex view). Where the layer gives a colour it is the characters' colour;
/// elsewhere they keep the colour of their format.
class ColorLayer {
public:
    virtual ~ColorLayer() = default;
    /// Appends the coloured ranges within range to out, in order and without overlap.
    virtual void colorRuns(TextRange range, std::vector<ColoredRange>& out) const = 0;
};
