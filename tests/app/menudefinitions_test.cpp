#include "app/menudefinitions.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "support/qstringprint.h"

namespace {

constexpr WindowState kStates[] = {WindowState::NoDocument, WindowState::PlainDocument, WindowState::ComPanel,
                                   WindowState::Comparison};

QStringList titles(WindowState state)
{
    QStringList list;
    for (const MenuDefinition& menu : menuBarDefinition(state))
        list << menu.title;
    return list;
}

/// The command texts of one menu of a state, or empty when the state has no such menu.
QStringList texts(WindowState state, const QString& title)
{
    QStringList list;
    for (const MenuDefinition& menu : menuBarDefinition(state)) {
        for (const MenuItem& item : menu.items) {
            if (menu.title == title && item.kind == MenuItem::Kind::Command)
                list << item.text;
        }
    }
    return list;
}

QString keysOf(const MenuItem& item)
{
    const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : item.text.mid(tab + 1);
}

TEST(MenuBarDefinition, WithoutADocumentOnlyFileCommunicationsViewAndHelp)
{
    EXPECT_EQ(titles(WindowState::NoDocument), (QStringList{"&File", "&Communications", "&View", "&Help"}));
    const QStringList documentTitles{"&File", "&Edit",  "&Operations", "&Mark", "&Communications",
                                     "&View", "&Window", "&Help"};
    for (WindowState state : {WindowState::PlainDocument, WindowState::ComPanel, WindowState::Comparison})
        EXPECT_EQ(titles(state), documentTitles);
}

TEST(MenuBarDefinition, SeparatorsOnlyBetweenItems)
{
    for (WindowState state : kStates) {
        for (const MenuDefinition& menu : menuBarDefinition(state)) {
            SCOPED_TRACE(menu.title.toStdString());
            ASSERT_FALSE(menu.items.empty());
            EXPECT_NE(menu.items.front().kind, MenuItem::Kind::Separator);
            EXPECT_NE(menu.items.back().kind, MenuItem::Kind::Separator);
            for (std::size_t i = 1; i < menu.items.size(); ++i) {
                EXPECT_FALSE(menu.items[i - 1].kind == MenuItem::Kind::Separator
                             && menu.items[i].kind == MenuItem::Kind::Separator);
            }
        }
    }
}

TEST(MenuBarDefinition, OneTextRunsOneCommandInEveryState)
{
    std::map<QString, CommandId> commandOfText;
    for (WindowState state : kStates) {
        for (const MenuDefinition& menu : menuBarDefinition(state)) {
            for (const MenuItem& item : menu.items) {
                if (item.kind != MenuItem::Kind::Command)
                    continue;
                EXPECT_FALSE(item.text.isEmpty());
                const auto it = commandOfText.emplace(item.text, item.id).first;
                EXPECT_EQ(it->second, item.id) << item.text.toStdString();
            }
        }
    }
}

TEST(MenuBarDefinition, MenuAcceleratorTextsMatchTheAcceleratorTable)
{
    // A menu that shows "\tCtrl+S" must be backed by a binding of that key to the same command.
    for (WindowState state : kStates) {
        for (const MenuDefinition& menu : menuBarDefinition(state)) {
            for (const MenuItem& item : menu.items) {
                const QString keys = keysOf(item);
                if (keys.isEmpty())
                    continue;
                const auto& table = acceleratorTable();
                EXPECT_TRUE(std::any_of(table.begin(), table.end(),
                                        [&](const AcceleratorBinding& b) { return b.keys == keys && b.id == item.id; }))
                    << item.text.toStdString();
            }
        }
    }
}

TEST(MenuBarDefinition, EachWindowKindHasItsOwnSaveAndExtraItems)
{
    const auto plain = texts(WindowState::PlainDocument, "&File");
    EXPECT_TRUE(plain.contains("&Save\tCtrl+S") && plain.contains("Save &As..."));
    EXPECT_TRUE(texts(WindowState::ComPanel, "&File").contains("Save &Receive Pane Data As..."));
    EXPECT_TRUE(texts(WindowState::Comparison, "&File").contains("Sa&ve File2"));
    EXPECT_FALSE(texts(WindowState::Comparison, "&File").contains("&Save\tCtrl+S"));
    const auto noDocument = texts(WindowState::NoDocument, "&File");
    EXPECT_FALSE(noDocument.contains("&Close") || noDocument.contains("&Print...\tCtrl+P"));
    EXPECT_TRUE(noDocument.contains("&Import Hex Values Text..."));

    EXPECT_EQ(texts(WindowState::Comparison, "&Operations").mid(4),
              (QStringList{"&Start Compare", "S&top Compare", "Find &Next Diff", "Find &Prev Diff"}));
    EXPECT_EQ(texts(WindowState::PlainDocument, "&Operations").size(), 4);
    EXPECT_TRUE(texts(WindowState::ComPanel, "&Communications").contains("Default Settings..."));
    EXPECT_TRUE(texts(WindowState::PlainDocument, "&Communications").contains("Set Default..."));
    EXPECT_FALSE(texts(WindowState::ComPanel, "&Window").contains("&New Window"));
    EXPECT_TRUE(texts(WindowState::Comparison, "&Window").contains("&New Window"));
    EXPECT_EQ(texts(WindowState::PlainDocument, "&Edit").at(6), QStringLiteral("&Delete Bytes...\tDel"));
    EXPECT_EQ(texts(WindowState::PlainDocument, "&Mark").at(1), QStringLiteral("Mark Bloc&ks..."));
}

TEST(ToolBarDefinitions, ButtonsHaveAnIconAndATooltipAndSeparatorsOnlyBetween)
{
    const std::vector<ToolBarDefinition>& bars = toolBarDefinitions();
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].objectName, QStringLiteral("mainToolBar"));
    EXPECT_EQ(bars[1].title, QStringLiteral("Mark Toolbar"));
    EXPECT_EQ(bars[2].title, QStringLiteral("Send and Receive Toolbar"));
    std::set<CommandId> seen;
    for (const ToolBarDefinition& bar : bars) {
        SCOPED_TRACE(bar.title.toStdString());
        EXPECT_FALSE(bar.buttons.front().separator || bar.buttons.back().separator);
        for (std::size_t i = 0; i < bar.buttons.size(); ++i) {
            const ToolBarButton& button = bar.buttons[i];
            if (button.separator) {
                EXPECT_FALSE(bar.buttons[i - 1].separator);
                EXPECT_TRUE(button.iconName.isEmpty());
                continue;
            }
            EXPECT_TRUE(seen.insert(button.id).second) << button.iconName.toStdString();
            EXPECT_EQ(commandIconName(button.id), button.iconName);
        }
    }
    EXPECT_EQ(bars[2].buttons.front().iconName, QStringLiteral(":/icons/companel.svg"));
    EXPECT_TRUE(commandIconName(CommandId::GoTo).isEmpty());
}

}  // namespace
