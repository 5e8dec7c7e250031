#include "marking/colorpalette.h"

#include <algorithm>

namespace {

struct PaletteEntry {
    const char* name;
    Rgb color;
};

// Looked up in this order; "Yellow Gold" is a second spelling of "YellowGold".
constexpr PaletteEntry kPalette[] = {
    {"Black", 0x000000},   {"Blue", 0x0000FF},        {"Cyan", 0x00FFFF},        {"Green", 0x00FF00},
    {"Magenta", 0xFF00FF}, {"Red", 0xFF0000},         {"Yellow", 0xFFFF00},      {"YellowGold", 0xFFEB00},
    {"BrightYellow", 0xEC9800}, {"YellowGreen", 0x99CC32}, {"Brown", 0xA62A2A}, {"Grass Green", 0x4DA619},
    {"Dark Purple", 0x53005D},  {"Pink", 0xBC8F8F},        {"Scarlet", 0x8C1717}, {"Violet", 0x4F2F4F},
    {"Yellow Gold", 0xFFEB00},
};

constexpr OfferedColor kOffered[] = {
    {"Black", 1}, {"Blue", 2}, {"Cyan", 3}, {"Green", 4}, {"Magenta", 5}, {"Red", 6}, {"Yellow", 7}, {"Brown", 10},
};

}  // namespace

Rgb ColorFromName(const QString& name)
{
    const auto* entry = std::find_if(std::begin(kPalette), std::end(kPalette), [name](const PaletteEntry& e) {
        return name == QLatin1String(e.name);
    });
    return entry == std::end(kPalette) ? kDefaultTextColor : entry->color;
}

std::span<const OfferedColor> offeredColors()
{
    return kOffered;
}

Rgb colorOfTag(int tag)
{
    const auto* offered =
        std::find_if(std::begin(kOffered), std::end(kOffered), [tag](const OfferedColor& c) { return c.tag == tag; });
    return offered == std::end(kOffered) ? kDefaultTextColor : ColorFromName(QLatin1String(offered->name));
}
