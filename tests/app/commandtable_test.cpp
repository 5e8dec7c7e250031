#include "app/commandtable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct PromptCase {
    CommandId id;
    const char* status;
    const char* tip;
};

// Every prompt of the program's own commands, split by hand.
const PromptCase kProgramPrompts[] = {
    {CommandId::AsciiTable, "Display ASCII table", "ASCII Table"},
    {CommandId::NotationConvert,
     "Display the entered value in decimal, hexadecimal and binary notation at the same time", "Notation Convert"},
    {CommandId::Find, "Find the specified bytes in the document", "Find"},
    {CommandId::ReplaceBytes, "Replace the value of specified bytes with new value", "Replace Bytes"},
    {CommandId::CutBytes, "Cut the selected bytes and put it into the global buffer", "Cut Bytes"},
    {CommandId::CopyBytes, "Copy the bytes into the global buffer", "Copy Bytes"},
    {CommandId::PasteBytes, "Paste the bytes from the global buffer into the specified address", "Paste Bytes"},
    {CommandId::DeleteBytes, "Delete the selected bytes", "Delete Bytes"},
    {CommandId::InsertBytes, "Insert bytes at the specified address", "Insert Bytes"},
    {CommandId::ReverseSeq, "Reverse the address sequence of the selected bytes", "Reverse Seq"},
    {CommandId::SelectBytes, "Select and highlight the bytes within the specified address range", "Select Bytes"},
    {CommandId::GoTo, "Go to hightlight the byte at specified address", "Go To"},
    {CommandId::BitwiseShift, "Apply bitwise shift operation to each byte separately within the specified block",
     "Bitwise Shift"},
    {CommandId::BitwiseMask, "Apply the bitwise mask operation to each byte separately within the specified block",
     "Bitwise Mask"},
    {CommandId::OnesComplement,
     "Apply the 1's complement operation to each byte separately within the specified block", "1's Complement"},
    {CommandId::TwosComplement,
     "Apply the 2's complement operation to each byte separately within the specified block", "2's Complement"},
    {CommandId::MarkBytes, "Mark the specified bytes with specified colors", "Mark Bytes"},
    {CommandId::MarkBlocks, "Mark the specified blocks of bytes with specified colors", "Mark Blocks"},
    {CommandId::MarkPatterns, "Mark the bytes of specified patterns with specified colors", "Mark Patterns"},
    {CommandId::MarkUnits, "Mark bytes in units with specified colors", "Mark Units"},
    {CommandId::ClearMarks, "Clear all the color marks", "Clear Marks"},
    {CommandId::ComPanel,
     "Open the Com Panel window which lets user to send bytes to and receive bytes from the com port", "Com Panel"},
    {CommandId::StopSend, "Stop sending the bytes to the com port", "Stop Send"},
    {CommandId::StopReceive, "Stop receiving the bytes from the com port", "Stop Receive"},
    {CommandId::StartSend, "Start sending the bytes to the com port", "Start Send"},
    {CommandId::StartReceive, "Start receiving the bytes from the com port", "Start Receive"},
    {CommandId::ComPanelProperties, "Let user specify the properties of Com Panel", "Com Panel Properties"},
    {CommandId::CurrentSettings, "Set the current com port control settings for the open window", "Current Settings"},
    {CommandId::MaxComPort, "Set the maximum number of com port to be used", "Max Com Port"},
    {CommandId::ComDriverInfo, "Information about the com port driver", "Com Driver Info"},
    {CommandId::SetDefault, "Set the default Com port control settings for the application", "Set Default"},
    {CommandId::Compare, "Compare the structure of two files", "File Compare"},
    {CommandId::FindNextDiff, "Find next diffrent byte", "Find Next Different Byte"},
    {CommandId::FindPrevDiff, "Find previous different byte", "Find Previous Different Byte"},
    {CommandId::StartCompare, "Start the process of comparing the two files", "Start Compare"},
    {CommandId::StopCompare, "Stop the process of comparing the two files", "Stop Compare"},
    {CommandId::SaveFile1, "Save the changes of file1", "Save File1"},
    {CommandId::SaveFile1As, "Save the file1 with a new name", "Save File1 As"},
    {CommandId::SaveFile2, "Save the changes of file2", "Save File2"},
    {CommandId::SaveFile2As, "Save the file2 with a new name", "Save File2 As"},
    {CommandId::ImportHexValuesText, "Create a new binary file by importing the hex values text from a file",
     "Import Hex Values Text"},
    {CommandId::SaveReceivePaneDataAs, "Save the data of the Receive Pane into a file", "Save Receive Pane Data As"},
    {CommandId::SaveSendPaneDataAs, "Save the data of the Send Pane into a file", "Save Send Pane Data As"},
    {CommandId::ExportHexDisplayText, "Export the hex display text into a text file", "Export Hex Display Text"},
    {CommandId::FindFirstDiff, "Find first different byte", "Find First Different Byte"},
    {CommandId::FindLastDiff, "Find last different byte", "Find Last Different Byte"},
};

const PromptCase kStandardPrompts[] = {
    {CommandId::FileNew, "Create a new document", "New"},
    {CommandId::FileOpen, "Open an existing document", "Open"},
    {CommandId::FileClose, "Close the active document", "Close"},
    {CommandId::FileSave, "Save the active document", "Save"},
    {CommandId::FileSaveAs, "Save the active document with a new name", "Save As"},
    {CommandId::FilePrintSetup, "Change the printer and printing options", "Print Setup"},
    {CommandId::FilePrint, "Print the active document", "Print"},
    {CommandId::FilePrintPreview, "Display full pages", "Print Preview"},
    {CommandId::RecentFile1, "Open this document", ""},
    {CommandId::RecentFile2, "Open this document", ""},
    {CommandId::RecentFile3, "Open this document", ""},
    {CommandId::RecentFile4, "Open this document", ""},
    {CommandId::EditSelectAll, "Select the entire document", "Select All"},
    {CommandId::EditUndo, "Undo the last action", "Undo"},
    {CommandId::EditRepeat, "Repeat the last action", "Repeat"},
    {CommandId::WindowNew, "Open another window for the active document", "New Window"},
    {CommandId::WindowArrange, "Arrange icons at the bottom of the window", "Arrange Icons"},
    {CommandId::WindowCascade, "Arrange windows so they overlap", "Cascade Windows"},
    {CommandId::WindowTile, "Arrange windows as non-overlapping tiles", "Tile Windows"},
    {CommandId::AppAbout, "Display program information, version number and copyright", "About"},
    {CommandId::AppExit, "Quit the application; prompts to save documents", "Exit"},
    {CommandId::HelpFinder, "List Help topics", "Help Topics"},
    {CommandId::ContextHelp, "Display help for clicked on buttons, menus and windows", "Help"},
    {CommandId::Help, "Display help for current task or command", "Help"},
    {CommandId::NextPane, "Switch to the next window pane", "Next Pane"},
    {CommandId::PrevPane, "Switch back to the previous window pane", "Previous Pane"},
    {CommandId::ViewToolbar, "Show or hide the toolbar", "Toggle ToolBar"},
    {CommandId::ViewStatusBar, "Show or hide the status bar", "Toggle StatusBar"},
};

void checkPrompts(const PromptCase* begin, const PromptCase* end)
{
    for (const PromptCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(static_cast<int>(c->id));
        EXPECT_EQ(statusPrompt(c->id).toStdString(), c->status);
        EXPECT_EQ(toolTipText(c->id).toStdString(), c->tip);
        const std::string joined = *c->tip ? std::string(c->status) + "\n" + c->tip : std::string(c->status);
        EXPECT_EQ(commandPromptString(c->id).toStdString(), joined);
    }
}

TEST(CommandTable, ProgramCommandsSplitIntoPromptAndTooltip)
{
    checkPrompts(std::begin(kProgramPrompts), std::end(kProgramPrompts));
}

TEST(CommandTable, StandardCommandsKeepTheFrameworkPrompts)
{
    checkPrompts(std::begin(kStandardPrompts), std::end(kStandardPrompts));
}

TEST(CommandTable, TableHoldsExactlyTheCheckedCommands)
{
    std::set<int> expected;
    for (const PromptCase& c : kProgramPrompts)
        expected.insert(static_cast<int>(c.id));
    for (const PromptCase& c : kStandardPrompts)
        expected.insert(static_cast<int>(c.id));
    std::set<int> actual;
    for (const CommandPrompt& entry : commandPrompts())
        EXPECT_TRUE(actual.insert(static_cast<int>(entry.id)).second) << static_cast<int>(entry.id);
    EXPECT_EQ(actual, expected);
}

TEST(CommandTable, UnknownIdGivesEmptyTexts)
{
    const auto unknown = static_cast<CommandId>(12345);
    EXPECT_TRUE(commandPromptString(unknown).isEmpty());
    EXPECT_TRUE(statusPrompt(unknown).isEmpty());
    EXPECT_TRUE(toolTipText(unknown).isEmpty());
}

}  // namespace
