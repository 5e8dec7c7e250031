#include <gtest/gtest.h>

#include <set>

#include "marking/colorpalette.h"
#include "support/qstringprint.h"

namespace {

TEST(ColorPalette, SpotRows)
{
    struct Row {
        const char* name;
        Rgb color;
    };
    const Row kRows[] = {
        {"Red", 0xFF0000}, {"Brown", 0xA62A2A}, {"YellowGold", 0xFFEB00}, {"Yellow Gold", 0xFFEB00}, {"", 0x000000},
    };
    for (const Row& row : kRows)
        EXPECT_EQ(ColorFromName(QLatin1String(row.name)), row.color) << row.name;
}

TEST(ColorPalette, NamesMatchExactlyOrGiveBlack)
{
    for (const char* name : {"red", "Red ", "YellowGolden", "Purple"})
        EXPECT_EQ(ColorFromName(QLatin1String(name)), kDefaultTextColor) << name;
}

TEST(ColorPalette, OfferedColorsHaveDistinctTagsAndColours)
{
    std::set<int> tags;
    std::set<Rgb> colors;
    for (const OfferedColor& offered : offeredColors()) {
        tags.insert(offered.tag);
        colors.insert(colorOfTag(offered.tag));
        EXPECT_EQ(colorOfTag(offered.tag), ColorFromName(QLatin1String(offered.name))) << offered.name;
    }
    EXPECT_EQ(offeredColors().size(), 8u);
    EXPECT_EQ(tags.size(), 8u);
    EXPECT_EQ(colors.size(), 8u);
    EXPECT_EQ(colorOfTag(10), 0xA62A2Au);
    EXPECT_EQ(colorOfTag(0), kDefaultTextColor);
}

}  // namespace
