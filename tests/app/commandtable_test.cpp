#include "app/commandtable.h"
#include "app/menudefinitions.h"

#include <gtest/gtest.h>

#include <set>

namespace {

bool isRecentFile(CommandId id)
{
    return id >= CommandId::RecentFile1 && id <= CommandId::RecentFile4;
}

TEST(CommandTable, EveryCommandHasOneEntryWithAPromptAndATooltip)
{
    std::set<int> ids;
    for (const CommandPrompt& entry : commandPrompts()) {
        SCOPED_TRACE(static_cast<int>(entry.id));
        EXPECT_TRUE(ids.insert(static_cast<int>(entry.id)).second);
        const QString prompt = statusPrompt(entry.id);
        EXPECT_FALSE(prompt.isEmpty());
        EXPECT_EQ(prompt, prompt.trimmed());
        EXPECT_FALSE(prompt.endsWith(QLatin1Char('.')));
        EXPECT_LE(QString::fromLatin1(entry.text).count(QLatin1Char('\n')), 1);
        // Only the recent-file entries, which have no toolbar button, go without a tooltip.
        EXPECT_EQ(toolTipText(entry.id).isEmpty(), isRecentFile(entry.id));
    }
    EXPECT_EQ(ids.size(), 75u);
}

TEST(CommandTable, EveryMenuToolbarAndAcceleratorCommandHasAnEntry)
{
    std::set<CommandId> used;
    for (WindowState state : {WindowState::NoDocument, WindowState::PlainDocument, WindowState::ComPanel,
                              WindowState::Comparison}) {
        for (const MenuDefinition& menu : menuBarDefinition(state)) {
            for (const MenuItem& item : menu.items) {
                if (item.kind == MenuItem::Kind::Command)
                    used.insert(item.id);
            }
        }
    }
    for (const ToolBarDefinition& bar : toolBarDefinitions()) {
        for (const ToolBarButton& button : bar.buttons) {
            if (!button.separator)
                used.insert(button.id);
        }
    }
    for (const AcceleratorBinding& binding : acceleratorTable())
        used.insert(binding.id);
    for (CommandId id : used)
        EXPECT_FALSE(commandPromptString(id).isEmpty()) << static_cast<int>(id);
}

TEST(CommandTable, PromptAndTooltipSplitAtTheLineFeed)
{
    EXPECT_EQ(commandPromptString(CommandId::GoTo), QStringLiteral("Go to hightlight the byte at specified address\nGo To"));
    EXPECT_EQ(statusPrompt(CommandId::GoTo), QStringLiteral("Go to hightlight the byte at specified address"));
    EXPECT_EQ(toolTipText(CommandId::GoTo), QStringLiteral("Go To"));
    EXPECT_EQ(statusPrompt(CommandId::FindNextDiff), QStringLiteral("Find next diffrent byte"));
    EXPECT_EQ(statusPrompt(CommandId::AppExit), QStringLiteral("Quit the application; prompts to save documents"));
    EXPECT_EQ(toolTipText(CommandId::ViewToolbar), QStringLiteral("Toggle ToolBar"));
    EXPECT_EQ(commandPromptString(CommandId::RecentFile3), QStringLiteral("Open this document"));
}

TEST(CommandTable, UnknownIdGivesEmptyTexts)
{
    const auto unknown = static_cast<CommandId>(12345);
    EXPECT_TRUE(commandPromptString(unknown).isEmpty());
    EXPECT_TRUE(statusPrompt(unknown).isEmpty());
    EXPECT_TRUE(toolTipText(unknown).isEmpty());
}

}  // namespace
