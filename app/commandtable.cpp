#include "app/commandtable.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr CommandPrompt kPrompts[] = {
    {CommandId::AsciiTable, "Display ASCII table\nASCII Table"},
    {CommandId::NotationConvert,
     "Display the entered value in decimal, hexadecimal and binary notation at the same time\nNotation Convert"},
    {CommandId::Find, "Find the specified bytes in the document\nFind"},
    {CommandId::ReplaceBytes, "Replace the value of specified bytes with new value\nReplace Bytes"},
    {CommandId::CutBytes, "Cut the selected bytes and put it into the global buffer\nCut Bytes"},
    {CommandId::CopyBytes, "Copy the bytes into the global buffer\nCopy Bytes"},
    {CommandId::PasteBytes, "Paste the bytes from the global buffer into the specified address\nPaste Bytes"},
    {CommandId::DeleteBytes, "Delete the selected bytes\nDelete Bytes"},
    {CommandId::InsertBytes, "Insert bytes at the specified address\nInsert Bytes"},
    {CommandId::ReverseSeq, "Reverse the address sequence of the selected bytes\nReverse Seq"},
    {CommandId::SelectBytes, "Select and highlight the bytes within the specified address range\nSelect Bytes"},
    {CommandId::GoTo, "Go to hightlight the byte at specified address\nGo To"},
    {CommandId::BitwiseShift,
     "Apply bitwise shift operation to each byte separately within the specified block\nBitwise Shift"},
    {CommandId::BitwiseMask,
     "Apply the bitwise mask operation to each byte separately within the specified block\nBitwise Mask"},
    {CommandId::OnesComplement,
     "Apply the 1's complement operation to each byte separately within the specified block\n1's Complement"},
    {CommandId::TwosComplement,
     "Apply the 2's complement operation to each byte separately within the specified block\n2's Complement"},
    {CommandId::MarkBytes, "Mark the specified bytes with specified colors\nMark Bytes"},
    {CommandId::MarkBlocks, "Mark the specified blocks of bytes with specified colors\nMark Blocks"},
    {CommandId::MarkPatterns, "Mark the bytes of specified patterns with specified colors\nMark Patterns"},
    {CommandId::MarkUnits, "Mark bytes in units with specified colors\nMark Units"},
    {CommandId::ClearMarks, "Clear all the color marks\nClear Marks"},
    {CommandId::ComPanel,
     "Open the Com Panel window which lets user to send bytes to and receive bytes from the com port\nCom Panel"},
    {CommandId::StopSend, "Stop sending the bytes to the com port\nStop Send"},
    {CommandId::StopReceive, "Stop receiving the bytes from the com port\nStop Receive"},
    {CommandId::StartSend, "Start sending the bytes to the com port\nStart Send"},
    {CommandId::StartReceive, "Start receiving the bytes from the com port\nStart Receive"},
    {CommandId::ComPanelProperties, "Let user specify the properties of Com Panel\nCom Panel Properties"},
    {CommandId::CurrentSettings, "Set the current com port control settings for the open window\nCurrent Settings"},
    {CommandId::MaxComPort, "Set the maximum number of com port to be used\nMax Com Port"},
    {CommandId::ComDriverInfo, "Information about the com port driver\nCom Driver Info"},
    {CommandId::SetDefault, "Set the default Com port control settings for the application\nSet Default"},
    {CommandId::Compare, "Compare the structure of two files\nFile Compare"},
    {CommandId::FindNextDiff, "Find next diffrent byte\nFind Next Different Byte"},
    {CommandId::FindPrevDiff, "Find previous different byte\nFind Previous Different Byte"},
    {CommandId::StartCompare, "Start the process of comparing the two files\nStart Compare"},
    {CommandId::StopCompare, "Stop the process of comparing the two files\nStop Compare"},
    {CommandId::SaveFile1, "Save the changes of file1\nSave File1"},
    {CommandId::SaveFile1As, "Save the file1 with a new name\nSave File1 As"},
    {CommandId::SaveFile2, "Save the changes of file2\nSave File2"},
    {CommandId::SaveFile2As, "Save the file2 with a new name\nSave File2 As"},
    {CommandId::ImportHexValuesText,
     "Create a new binary file by importing the hex values text from a file\nImport Hex Values Text"},
    {CommandId::SaveReceivePaneDataAs, "Save the data of the Receive Pane into a file\nSave Receive Pane Data As"},
    {CommandId::SaveSendPaneDataAs, "Save the data of the Send Pane into a file\nSave Send Pane Data As"},
    {CommandId::ExportHexDisplayText, "Export the hex display text into a text file\nExport Hex Display Text"},
    {CommandId::FindFirstDiff, "Find first different byte\nFind First Different Byte"},
    {CommandId::FindLastDiff, "Find last different byte\nFind Last Different Byte"},

    // The framework's standard commands keep the prompts its application wizard writes.
    {CommandId::FileNew, "Create a new document\nNew"},
    {CommandId::FileOpen, "Open an existing document\nOpen"},
    {CommandId::FileClose, "Close the active document\nClose"},
    {CommandId::FileSave, "Save the active document\nSave"},
    {CommandId::FileSaveAs, "Save the active document with a new name\nSave As"},
    {CommandId::FilePrintSetup, "Change the printer and printing options\nPrint Setup"},
    {CommandId::FilePrint, "Print the active document\nPrint"},
    {CommandId::FilePrintPreview, "Display full pages\nPrint Preview"},
    {CommandId::RecentFile1, "Open this document"},
    {CommandId::RecentFile2, "Open this document"},
    {CommandId::RecentFile3, "Open this document"},
    {CommandId::RecentFile4, "Open this document"},
    {CommandId::EditRepeat, "Repeat the last action\nRepeat"},
    {CommandId::EditSelectAll, "Select the entire document\nSelect All"},
    {CommandId::EditUndo, "Undo the last action\nUndo"},
    {CommandId::EditRedo, "Redo the previously undone action\nRedo"},
    {CommandId::WindowNew, "Open another window for the active document\nNew Window"},
    {CommandId::WindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
    {CommandId::WindowCascade, "Arrange windows so they overlap\nCascade Windows"},
    {CommandId::WindowTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {CommandId::AppAbout, "Display program information, version number and copyright\nAbout"},
    {CommandId::AppExit, "Quit the application; prompts to save documents\nExit"},
    {CommandId::HelpFinder, "List Help topics\nHelp Topics"},
    {CommandId::ContextHelp, "Display help for clicked on buttons, menus and windows\nHelp"},
    {CommandId::Help, "Display help for current task or command\nHelp"},
    {CommandId::NextPane, "Switch to the next window pane\nNext Pane"},
    {CommandId::PrevPane, "Switch back to the previous window pane\nPrevious Pane"},
    {CommandId::ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
    {CommandId::ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
};

// Lookups use binary search, so the table must stay sorted by id.
constexpr bool isSortedById()
{
    for (std::size_t i = 1; i < std::size(kPrompts); ++i) {
        if (static_cast<int>(kPrompts[i - 1].id) >= static_cast<int>(kPrompts[i].id))
            return false;
    }
    return true;
}
static_assert(isSortedById(), "kPrompts must be in strictly ascending id order");

}  // namespace

std::span<const CommandPrompt> commandPrompts()
{
    return kPrompts;
}

QString commandPromptString(CommandId id)
{
    const auto* it = std::lower_bound(std::begin(kPrompts), std::end(kPrompts), id,
                                      [](const CommandPrompt& entry, CommandId key) {
                                          return static_cast<int>(entry.id) < static_cast<int>(key);
                                      });
    if (it == std::end(kPrompts) || it->id != id)
        return {};
    return QString::fromLatin1(it->text);
}

QString statusPrompt(CommandId id)
{
    return commandPromptString(id).section(QLatin1Char('\n'), 0, 0);
}

QString toolTipText(CommandId id)
{
    return commandPromptString(id).section(QLatin1Char('\n'), 1);
}
