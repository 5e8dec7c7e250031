#pragma once

#include <QString>

#include <span>

#include "listing/formatranges.h"

/// The colour of a mark's colour name: exact, case-sensitive names; the empty
/// name and any name the palette does not know give black, the colour of
/// unmarked text.
Rgb ColorFromName(const QString& name);

/// A colour the colour combo boxes offer, with the tag its list item carries.
struct OfferedColor {
    const char* name;
    int tag;
};

/// The eight colours the combo boxes offer, in the order they are added.
std::span<const OfferedColor> offeredColors();

/// The colour of an offered colour's tag; black for a tag no colour has.
Rgb colorOfTag(int tag);
