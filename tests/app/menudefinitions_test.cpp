#include "app/commandtable.h"
#include "app/menudefinitions.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A menu as text: each command's text, "---" for a separator, and the two placeholders.
Lines render(const MenuDefinition& menu)
{
    Lines lines;
    for (const MenuItem& item : menu.items) {
        switch (item.kind) {
        case MenuItem::Kind::Command: lines.push_back(item.text.toStdString()); break;
        case MenuItem::Kind::Separator: lines.push_back("---"); break;
        case MenuItem::Kind::RecentFiles: lines.push_back("<Recent File>"); break;
        case MenuItem::Kind::WindowList: lines.push_back("<Windows>"); break;
        }
    }
    return lines;
}

const Lines kFileNoDocument{"&New\tCtrl+N", "&Open...\tCtrl+O", "---", "Co&mpare...", "---",
                            "&Import Hex Values Text...", "---", "P&rint Setup...", "---", "<Recent File>", "---",
                            "E&xit"};

Lines fileWithSaveItems(const Lines& saveItems)
{
    Lines lines{"&New\tCtrl+N", "&Open...\tCtrl+O", "---", "Co&mpare...", "---", "&Import Hex Values Text...",
                "E&xport Hex Display Text...", "---", "&Close", "---"};
    lines.insert(lines.end(), saveItems.begin(), saveItems.end());
    const Lines tail{"---", "&Print...\tCtrl+P", "P&rint Setup...", "---", "<Recent File>", "---", "E&xit"};
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

const Lines kEdit{"&Find...\tCtrl+F",        "R&eplace Bytes...\tCtrl+H", "&Reverse Seq...\tCtrl+R",
                  "---",                     "Cu&t Bytes...\tCtrl+X",     "&Copy Bytes...\tCtrl+C",
                  "&Paste Bytes...\tCtrl+V", "&Delete Bytes...\tDel",     "---",
                  "&Insert Bytes...\tIns",   "---",                       "&Select Bytes...\tCtrl+B",
                  "&Go To...\tCtrl+G"};
const Lines kOperations{"&Bitwise Shift...", "Bitwise &Mask...", "&1's Complement...", "&2's Complement..."};
const Lines kOperationsComparison{"&Bitwise Shift...", "Bitwise &Mask...", "&1's Complement...",
                                  "&2's Complement...", "---", "&Start Compare", "S&top Compare", "---",
                                  "Find &Next Diff", "Find &Prev Diff"};
const Lines kMark{"Mark &Bytes...", "Mark Bloc&ks...", "Mark &Patterns...", "Mark &Units...", "---",
                  "Clear &Marks\tCtrl+M"};

Lines communications(const std::string& setDefaultText)
{
    return {"Start Send\tF9", "Stop Send\tF10", "Start Receive\tF11", "Stop Receive\tF12", "---",
            "Com Panel\tCtrl+W", "Com Panel Properties...", "---", "Current Settings...", "Com Driver Info...", "---",
            setDefaultText, "Max Com Port..."};
}

const Lines kView{"&Toolbar", "&Status Bar"};
const Lines kWindow{"&New Window", "&Cascade", "&Tile", "&Arrange Icons", "<Windows>"};
const Lines kWindowComPanel{"&Cascade", "&Tile", "&Arrange Icons", "<Windows>"};
const Lines kHelp{"&Help Topics", "---", "&About Vellmar...", "---", "ASCII Table...", "Notation Convert..."};

struct ExpectedMenu {
    std::string title;
    Lines items;
};

struct MenuBarCase {
    const char* name;
    WindowState state;
    std::vector<ExpectedMenu> menus;
};

std::vector<MenuBarCase> menuBarCases()
{
    const Lines plainSave{"&Save\tCtrl+S", "Save &As..."};
    const Lines comPanelSave{"Save &Send Pane Data As...", "Save &Receive Pane Data As..."};
    const Lines comparisonSave{"&Save File1", "Save File1 &As...", "---", "Sa&ve File2", "Save &File2 As..."};
    return {
        {"no document",
         WindowState::NoDocument,
         {{"&File", kFileNoDocument},
          {"&Communications", communications("Set Default...")},
          {"&View", kView},
          {"&Help", kHelp}}},
        {"plain document",
         WindowState::PlainDocument,
         {{"&File", fileWithSaveItems(plainSave)},
          {"&Edit", kEdit},
          {"&Operations", kOperations},
          {"&Mark", kMark},
          {"&Communications", communications("Set Default...")},
          {"&View", kView},
          {"&Window", kWindow},
          {"&Help", kHelp}}},
        {"com panel",
         WindowState::ComPanel,
         {{"&File", fileWithSaveItems(comPanelSave)},
          {"&Edit", kEdit},
          {"&Operations", kOperations},
          {"&Mark", kMark},
          {"&Communications", communications("Default Settings...")},
          {"&View", kView},
          {"&Window", kWindowComPanel},
          {"&Help", kHelp}}},
        {"comparison",
         WindowState::Comparison,
         {{"&File", fileWithSaveItems(comparisonSave)},
          {"&Edit", kEdit},
          {"&Operations", kOperationsComparison},
          {"&Mark", kMark},
          {"&Communications", communications("Set Default...")},
          {"&View", kView},
          {"&Window", kWindow},
          {"&Help", kHelp}}},
    };
}

TEST(MenuBarDefinition, EveryStateHasTheExpectedMenusAndItems)
{
    for (const MenuBarCase& c : menuBarCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<MenuDefinition> actual = menuBarDefinition(c.state);
        ASSERT_EQ(actual.size(), c.menus.size());
        for (std::size_t m = 0; m < actual.size(); ++m) {
            SCOPED_TRACE(c.menus[m].title);
            EXPECT_EQ(actual[m].title.toStdString(), c.menus[m].title);
            EXPECT_EQ(render(actual[m]), c.menus[m].items);
        }
    }
}

// Which command each menu text runs; the same text always means the same command.
const std::map<std::string, CommandId> kCommandOfText{
    {"&New\tCtrl+N", CommandId::FileNew},
    {"&Open...\tCtrl+O", CommandId::FileOpen},
    {"Co&mpare...", CommandId::Compare},
    {"&Import Hex Values Text...", CommandId::ImportHexValuesText},
    {"E&xport Hex Display Text...", CommandId::ExportHexDisplayText},
    {"&Close", CommandId::FileClose},
    {"&Save\tCtrl+S", CommandId::FileSave},
    {"Save &As...", CommandId::FileSaveAs},
    {"Save &Send Pane Data As...", CommandId::SaveSendPaneDataAs},
    {"Save &Receive Pane Data As...", CommandId::SaveReceivePaneDataAs},
    {"&Save File1", CommandId::SaveFile1},
    {"Save File1 &As...", CommandId::SaveFile1As},
    {"Sa&ve File2", CommandId::SaveFile2},
    {"Save &File2 As...", CommandId::SaveFile2As},
    {"&Print...\tCtrl+P", CommandId::FilePrint},
    {"P&rint Setup...", CommandId::FilePrintSetup},
    {"E&xit", CommandId::AppExit},
    {"&Find...\tCtrl+F", CommandId::Find},
    {"R&eplace Bytes...\tCtrl+H", CommandId::ReplaceBytes},
    {"&Reverse Seq...\tCtrl+R", CommandId::ReverseSeq},
    {"Cu&t Bytes...\tCtrl+X", CommandId::CutBytes},
    {"&Copy Bytes...\tCtrl+C", CommandId::CopyBytes},
    {"&Paste Bytes...\tCtrl+V", CommandId::PasteBytes},
    {"&Delete Bytes...\tDel", CommandId::DeleteBytes},
    {"&Insert Bytes...\tIns", CommandId::InsertBytes},
    {"&Select Bytes...\tCtrl+B", CommandId::SelectBytes},
    {"&Go To...\tCtrl+G", CommandId::GoTo},
    {"&Bitwise Shift...", CommandId::BitwiseShift},
    {"Bitwise &Mask...", CommandId::BitwiseMask},
    {"&1's Complement...", CommandId::OnesComplement},
    {"&2's Complement...", CommandId::TwosComplement},
    {"&Start Compare", CommandId::StartCompare},
    {"S&top Compare", CommandId::StopCompare},
    {"Find &Next Diff", CommandId::FindNextDiff},
    {"Find &Prev Diff", CommandId::FindPrevDiff},
    {"Mark &Bytes...", CommandId::MarkBytes},
    {"Mark Bloc&ks...", CommandId::MarkBlocks},
    {"Mark &Patterns...", CommandId::MarkPatterns},
    {"Mark &Units...", CommandId::MarkUnits},
    {"Clear &Marks\tCtrl+M", CommandId::ClearMarks},
    {"Start Send\tF9", CommandId::StartSend},
    {"Stop Send\tF10", CommandId::StopSend},
    {"Start Receive\tF11", CommandId::StartReceive},
    {"Stop Receive\tF12", CommandId::StopReceive},
    {"Com Panel\tCtrl+W", CommandId::ComPanel},
    {"Com Panel Properties...", CommandId::ComPanelProperties},
    {"Current Settings...", CommandId::CurrentSettings},
    {"Com Driver Info...", CommandId::ComDriverInfo},
    {"Set Default...", CommandId::SetDefault},
    {"Default Settings...", CommandId::SetDefault},
    {"Max Com Port...", CommandId::MaxComPort},
    {"&Toolbar", CommandId::ViewToolbar},
    {"&Status Bar", CommandId::ViewStatusBar},
    {"&New Window", CommandId::WindowNew},
    {"&Cascade", CommandId::WindowCascade},
    {"&Tile", CommandId::WindowTile},
    {"&Arrange Icons", CommandId::WindowArrange},
    {"&Help Topics", CommandId::HelpFinder},
    {"&About Vellmar...", CommandId::AppAbout},
    {"ASCII Table...", CommandId::AsciiTable},
    {"Notation Convert...", CommandId::NotationConvert},
};

TEST(MenuBarDefinition, EveryCommandItemCarriesItsCommandAndAPrompt)
{
    for (const MenuBarCase& c : menuBarCases()) {
        for (const MenuDefinition& menu : menuBarDefinition(c.state)) {
            for (const MenuItem& item : menu.items) {
                if (item.kind != MenuItem::Kind::Command)
                    continue;
                const std::string text = item.text.toStdString();
                SCOPED_TRACE(std::string(c.name) + ": " + text);
                const auto expected = kCommandOfText.find(text);
                ASSERT_NE(expected, kCommandOfText.end());
                EXPECT_EQ(static_cast<int>(item.id), static_cast<int>(expected->second));
                EXPECT_FALSE(statusPrompt(item.id).isEmpty());
            }
        }
    }
}

TEST(MenuBarDefinition, MenuAcceleratorTextsMatchTheAcceleratorTable)
{
    // A menu that shows "\tCtrl+S" must be backed by a binding of that key to the same command.
    for (const MenuDefinition& menu : menuBarDefinition(WindowState::Comparison)) {
        for (const MenuItem& item : menu.items) {
            const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
            if (tab < 0)
                continue;
            const QString keys = item.text.mid(tab + 1);
            SCOPED_TRACE(item.text.toStdString());
            bool bound = false;
            for (const AcceleratorBinding& binding : acceleratorTable())
                bound = bound || (binding.keys == keys && binding.id == item.id);
            EXPECT_TRUE(bound);
        }
    }
}

struct ExpectedButton {
    const char* name;  // "|" for a separator
    CommandId id;
};

TEST(ToolBarDefinitions, ButtonsInOrderWithSeparators)
{
    using Id = CommandId;
    const ExpectedButton bar{"|", Id{}};
    const struct {
        std::string title;
        std::string objectName;
        std::vector<ExpectedButton> buttons;
    } expected[] = {
        {"Main toolbar",
         "mainToolBar",
         {{"new", Id::FileNew},
          {"open", Id::FileOpen},
          {"compare", Id::Compare},
          bar,
          {"save", Id::FileSave},
          bar,
          {"savefile1", Id::SaveFile1},
          {"savefile2", Id::SaveFile2},
          bar,
          {"savesendpane", Id::SaveSendPaneDataAs},
          {"savereceivepane", Id::SaveReceivePaneDataAs},
          bar,
          {"cutbytes", Id::CutBytes},
          {"copybytes", Id::CopyBytes},
          {"pastebytes", Id::PasteBytes},
          bar,
          {"print", Id::FilePrint}}},
        {"Mark Toolbar",
         "markToolBar",
         {{"markbytes", Id::MarkBytes},
          {"markblocks", Id::MarkBlocks},
          {"markpatterns", Id::MarkPatterns},
          {"markunits", Id::MarkUnits},
          bar,
          {"clearmarks", Id::ClearMarks}}},
        {"Send and Receive Toolbar",
         "sendReceiveToolBar",
         {{"companel", Id::ComPanel},
          bar,
          {"startsend", Id::StartSend},
          {"stopsend", Id::StopSend},
          bar,
          {"startreceive", Id::StartReceive},
          {"stopreceive", Id::StopReceive}}},
    };
    const std::vector<ToolBarDefinition>& actual = toolBarDefinitions();
    ASSERT_EQ(actual.size(), std::size(expected));
    for (std::size_t t = 0; t < actual.size(); ++t) {
        SCOPED_TRACE(expected[t].title);
        EXPECT_EQ(actual[t].title.toStdString(), expected[t].title);
        EXPECT_EQ(actual[t].objectName.toStdString(), expected[t].objectName);
        ASSERT_EQ(actual[t].buttons.size(), expected[t].buttons.size());
        for (std::size_t b = 0; b < actual[t].buttons.size(); ++b) {
            const ToolBarButton& button = actual[t].buttons[b];
            const ExpectedButton& want = expected[t].buttons[b];
            SCOPED_TRACE("button " + std::to_string(b) + " " + want.name);
            const bool wantSeparator = std::string(want.name) == "|";
            EXPECT_EQ(button.separator, wantSeparator);
            if (wantSeparator) {
                EXPECT_TRUE(button.iconName.isEmpty());
                continue;
            }
            EXPECT_EQ(static_cast<int>(button.id), static_cast<int>(want.id));
            EXPECT_EQ(button.iconName.toStdString(), std::string(":/icons/") + want.name + ".svg");
            EXPECT_EQ(commandIconName(button.id), button.iconName);
            EXPECT_FALSE(toolTipText(button.id).isEmpty());
        }
    }
}

TEST(ToolBarDefinitions, CommandsWithoutAButtonHaveNoIcon)
{
    EXPECT_TRUE(commandIconName(CommandId::GoTo).isEmpty());
    EXPECT_TRUE(commandIconName(CommandId::AppAbout).isEmpty());
}

TEST(AcceleratorTable, HoldsEveryBindingOnce)
{
    using Id = CommandId;
    const std::map<std::string, CommandId> expected{
        {"Ctrl+N", Id::FileNew},         {"Ctrl+O", Id::FileOpen},        {"Ctrl+S", Id::FileSave},
        {"Ctrl+P", Id::FilePrint},       {"Ctrl+B", Id::SelectBytes},     {"Ctrl+G", Id::GoTo},
        {"Ctrl+C", Id::CopyBytes},       {"Ctrl+Ins", Id::CopyBytes},     {"Ctrl+X", Id::CutBytes},
        {"Shift+Del", Id::CutBytes},     {"Ctrl+V", Id::PasteBytes},      {"Shift+Ins", Id::PasteBytes},
        {"Del", Id::DeleteBytes},        {"Ins", Id::InsertBytes},        {"Ctrl+F", Id::Find},
        {"Ctrl+H", Id::ReplaceBytes},    {"Ctrl+R", Id::ReverseSeq},      {"Ctrl+M", Id::ClearMarks},
        {"Ctrl+W", Id::ComPanel},        {"F9", Id::StartSend},           {"F10", Id::StopSend},
        {"F11", Id::StartReceive},       {"F12", Id::StopReceive},        {"F6", Id::NextPane},
        {"Shift+F6", Id::PrevPane},      {"F1", Id::Help},                {"Shift+F1", Id::ContextHelp},
        {"Ctrl+A", Id::EditSelectAll},   {"Ctrl+Z", Id::EditUndo},        {"Alt+Backspace", Id::EditUndo},
        {"F3", Id::EditRepeat},
    };
    std::map<std::string, CommandId> actual;
    for (const AcceleratorBinding& binding : acceleratorTable()) {
        const bool added = actual.emplace(binding.keys.toStdString(), binding.id).second;
        EXPECT_TRUE(added) << binding.keys.toStdString() << " bound twice";
    }
    EXPECT_EQ(actual, expected);
}

}  // namespace
