#include "app/commandtable.h"
#include "app/menudefinitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "support/qstringprint.h"

namespace {

// Across every window state: separators stand only between items, one text runs one command, a key shown
// in a menu is bound to that command, and every command of a menu, toolbar or key has its prompt.
TEST(MenuDefinitions, MenusToolbarsAndKeysAgreeWithEachOtherAndTheCommandTable)
{
    std::map<QString, CommandId> commandOfText;
    std::set<CommandId> used;
    const auto& keys = acceleratorTable();
    for (WindowState state : {WindowState::NoDocument, WindowState::PlainDocument, WindowState::ComPanel,
                              WindowState::Comparison}) {
        for (const MenuDefinition& menu : menuBarDefinition(state)) {
            SCOPED_TRACE(menu.title.toStdString());
            ASSERT_FALSE(menu.items.empty());
            EXPECT_NE(menu.items.back().kind, MenuItem::Kind::Separator);
            for (std::size_t i = 0; i < menu.items.size(); ++i) {
                const MenuItem& item = menu.items[i];
                if (item.kind != MenuItem::Kind::Command) {
                    EXPECT_TRUE(item.kind != MenuItem::Kind::Separator
                                || (i > 0 && menu.items[i - 1].kind != MenuItem::Kind::Separator));
                    continue;
                }
                used.insert(item.id);
                EXPECT_EQ(commandOfText.emplace(item.text, item.id).first->second, item.id) << item.text.toStdString();
                const QString shown = item.text.section(QLatin1Char('\t'), 1);
                EXPECT_TRUE(shown.isEmpty() || std::any_of(keys.begin(), keys.end(), [&](const AcceleratorBinding& b) {
                    return b.keys == shown && b.id == item.id;
                })) << item.text.toStdString();
            }
        }
    }
    for (const ToolBarDefinition& bar : toolBarDefinitions()) {
        for (const ToolBarButton& button : bar.buttons) {
            if (!button.separator) {
                EXPECT_EQ(commandIconName(*used.insert(button.id).first), button.iconName);
            }
        }
    }
    for (const AcceleratorBinding& binding : keys)
        used.insert(binding.id);
    for (CommandId id : used)
        EXPECT_FALSE(statusPrompt(id).isEmpty()) << int(id);
    EXPECT_EQ(commandPrompts().size(), 75u);
}

TEST(CommandTable, PromptAndTooltipSplitAtTheLineFeedAndAnUnknownIdHasNone)
{
    EXPECT_EQ(statusPrompt(CommandId::GoTo), QStringLiteral("Go to hightlight the byte at specified address"));
    EXPECT_EQ(toolTipText(CommandId::GoTo), QStringLiteral("Go To"));
    EXPECT_EQ(toolTipText(CommandId::RecentFile3), QString());
    const auto unknown = static_cast<CommandId>(12345);
    EXPECT_TRUE(commandPromptString(unknown).isEmpty() && commandIconName(unknown).isEmpty());
}

}  // namespace
