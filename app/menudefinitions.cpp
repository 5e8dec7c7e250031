#include "app/menudefinitions.h"

#include <algorithm>

namespace {

using Id = CommandId;
using Items = std::vector<MenuItem>;

MenuItem cmd(CommandId id, const char* text)
{
    return {MenuItem::Kind::Command, id, QString::fromLatin1(text)};
}

MenuItem bar()
{
    return {MenuItem::Kind::Separator, {}, {}};
}

MenuItem recentFiles()
{
    return {MenuItem::Kind::RecentFiles, {}, {}};
}

MenuItem windowList()
{
    return {MenuItem::Kind::WindowList, {}, {}};
}

void append(Items& to, const Items& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// The items in place of Save and Save As, which differ for each kind of document window.
Items saveItems(WindowState state)
{
    switch (state) {
    case WindowState::ComPanel:
        return {cmd(Id::SaveSendPaneDataAs, "Save &Send Pane Data As..."),
                cmd(Id::SaveReceivePaneDataAs, "Save &Receive Pane Data As...")};
    case WindowState::Comparison:
        return {cmd(Id::SaveFile1, "&Save File1"), cmd(Id::SaveFile1As, "Save File1 &As..."), bar(),
                cmd(Id::SaveFile2, "Sa&ve File2"), cmd(Id::SaveFile2As, "Save &File2 As...")};
    case WindowState::NoDocument:
    case WindowState::PlainDocument:
        break;
    }
    return {cmd(Id::FileSave, "&Save\tCtrl+S"), cmd(Id::FileSaveAs, "Save &As...")};
}

MenuDefinition fileMenu(WindowState state)
{
    Items items{cmd(Id::FileNew, "&New\tCtrl+N"), cmd(Id::FileOpen, "&Open...\tCtrl+O"), bar(),
                cmd(Id::Compare, "Co&mpare..."), bar(), cmd(Id::ImportHexValuesText, "&Import Hex Values Text...")};
    if (state != WindowState::NoDocument) {
        append(items, {cmd(Id::ExportHexDisplayText, "E&xport Hex Display Text..."), bar(),
                       cmd(Id::FileClose, "&Close"), bar()});
        append(items, saveItems(state));
        append(items, {bar(), cmd(Id::FilePrint, "&Print...\tCtrl+P")});
    } else {
        items.push_back(bar());
    }
    append(items, {cmd(Id::FilePrintSetup, "P&rint Setup..."), bar(), recentFiles(), bar(), cmd(Id::AppExit, "E&xit")});
    return {QStringLiteral("&File"), items};
}

MenuDefinition editMenu()
{
    return {QStringLiteral("&Edit"),
            {cmd(Id::Find, "&Find...\tCtrl+F"), cmd(Id::ReplaceBytes, "R&eplace Bytes...\tCtrl+H"),
             cmd(Id::ReverseSeq, "&Reverse Seq...\tCtrl+R"), bar(), cmd(Id::CutBytes, "Cu&t Bytes...\tCtrl+X"),
             cmd(Id::CopyBytes, "&Copy Bytes...\tCtrl+C"), cmd(Id::PasteBytes, "&Paste Bytes...\tCtrl+V"),
             cmd(Id::DeleteBytes, "&Delete Bytes...\tDel"), bar(), cmd(Id::InsertBytes, "&Insert Bytes...\tIns"), bar(),
             cmd(Id::SelectBytes, "&Select Bytes...\tCtrl+B"), cmd(Id::GoTo, "&Go To...\tCtrl+G"), bar(),
             cmd(Id::EditUndo, "&Undo\tCtrl+Z"), cmd(Id::EditRedo, "&Redo\tCtrl+Y")}};
}

MenuDefinition operationsMenu(WindowState state)
{
    Items items{cmd(Id::BitwiseShift, "&Bitwise Shift..."), cmd(Id::BitwiseMask, "Bitwise &Mask..."),
                cmd(Id::OnesComplement, "&1's Complement..."), cmd(Id::TwosComplement, "&2's Complement...")};
    if (state == WindowState::Comparison) {
        append(items, {bar(), cmd(Id::StartCompare, "&Start Compare"), cmd(Id::StopCompare, "S&top Compare"), bar(),
                       cmd(Id::FindNextDiff, "Find &Next Diff"), cmd(Id::FindPrevDiff, "Find &Prev Diff")});
    }
    return {QStringLiteral("&Operations"), items};
}

MenuDefinition markMenu()
{
    return {QStringLiteral("&Mark"),
            {cmd(Id::MarkBytes, "Mark &Bytes..."), cmd(Id::MarkBlocks, "Mark Bloc&ks..."),
             cmd(Id::MarkPatterns, "Mark &Patterns..."), cmd(Id::MarkUnits, "Mark &Units..."), bar(),
             cmd(Id::ClearMarks, "Clear &Marks\tCtrl+M")}};
}

MenuDefinition communicationsMenu(WindowState state)
{
    // The Com Panel names the same command after what it edits there.
    const char* setDefaultText = state == WindowState::ComPanel ? "Default Settings..." : "Set Default...";
    return {QStringLiteral("&Communications"),
            {cmd(Id::StartSend, "Start Send\tF9"), cmd(Id::StopSend, "Stop Send\tF10"),
             cmd(Id::StartReceive, "Start Receive\tF11"), cmd(Id::StopReceive, "Stop Receive\tF12"), bar(),
             cmd(Id::ComPanel, "Com Panel\tCtrl+W"), cmd(Id::ComPanelProperties, "Com Panel Properties..."), bar(),
             cmd(Id::CurrentSettings, "Current Settings..."), cmd(Id::ComDriverInfo, "Com Driver Info..."), bar(),
             cmd(Id::SetDefault, setDefaultText), cmd(Id::MaxComPort, "Max Com Port...")}};
}

MenuDefinition viewMenu()
{
    return {QStringLiteral("&View"), {cmd(Id::ViewToolbar, "&Toolbar"), cmd(Id::ViewStatusBar, "&Status Bar")}};
}

MenuDefinition windowMenu(WindowState state)
{
    Items items;
    if (state != WindowState::ComPanel)
        items.push_back(cmd(Id::WindowNew, "&New Window"));
    append(items, {cmd(Id::WindowCascade, "&Cascade"), cmd(Id::WindowTile, "&Tile"),
                   cmd(Id::WindowArrange, "&Arrange Icons"), windowList()});
    return {QStringLiteral("&Window"), items};
}

MenuDefinition helpMenu()
{
    return {QStringLiteral("&Help"),
            {cmd(Id::HelpFinder, "&Help Topics"), bar(), cmd(Id::AppAbout, "&About Vellmar..."), bar(),
             cmd(Id::AsciiTable, "ASCII Table..."), cmd(Id::NotationConvert, "Notation Convert...")}};
}

ToolBarButton button(CommandId id, const char* iconFile)
{
    return {false, id, QStringLiteral(":/icons/") + QLatin1String(iconFile) + QStringLiteral(".svg")};
}

ToolBarButton separator()
{
    return {true, {}, {}};
}

}  // namespace

std::vector<MenuDefinition> menuBarDefinition(WindowState state)
{
    if (state == WindowState::NoDocument)
        return {fileMenu(state), communicationsMenu(state), viewMenu(), helpMenu()};
    return {fileMenu(state), editMenu(), operationsMenu(state), markMenu(), communicationsMenu(state),
            viewMenu(), windowMenu(state), helpMenu()};
}

const std::vector<ToolBarDefinition>& toolBarDefinitions()
{
    static const std::vector<ToolBarDefinition> bars{
        {QStringLiteral("Main toolbar"),
         QStringLiteral("mainToolBar"),
         {button(Id::FileNew, "new"), button(Id::FileOpen, "open"), button(Id::Compare, "compare"), separator(),
          button(Id::FileSave, "save"), separator(), button(Id::SaveFile1, "savefile1"),
          button(Id::SaveFile2, "savefile2"), separator(), button(Id::SaveSendPaneDataAs, "savesendpane"),
          button(Id::SaveReceivePaneDataAs, "savereceivepane"), separator(), button(Id::CutBytes, "cutbytes"),
          button(Id::CopyBytes, "copybytes"), button(Id::PasteBytes, "pastebytes"), separator(),
          button(Id::FilePrint, "print")}},
        {QStringLiteral("Mark Toolbar"),
         QStringLiteral("markToolBar"),
         {button(Id::MarkBytes, "markbytes"), button(Id::MarkBlocks, "markblocks"),
          button(Id::MarkPatterns, "markpatterns"), button(Id::MarkUnits, "markunits"), separator(),
          button(Id::ClearMarks, "clearmarks")}},
        {QStringLiteral("Send and Receive Toolbar"),
         QStringLiteral("sendReceiveToolBar"),
         {button(Id::ComPanel, "companel"), separator(), button(Id::StartSend, "startsend"),
          button(Id::StopSend, "stopsend"), separator(), button(Id::StartReceive, "startreceive"),
          button(Id::StopReceive, "stopreceive")}},
    };
    return bars;
}

const std::vector<AcceleratorBinding>& acceleratorTable()
{
    static const std::vector<AcceleratorBinding> table{
        {QStringLiteral("Ctrl+N"), Id::FileNew},
        {QStringLiteral("Ctrl+O"), Id::FileOpen},
        {QStringLiteral("Ctrl+S"), Id::FileSave},
        {QStringLiteral("Ctrl+P"), Id::FilePrint},
        {QStringLiteral("Ctrl+B"), Id::SelectBytes},
        {QStringLiteral("Ctrl+G"), Id::GoTo},
        {QStringLiteral("Ctrl+C"), Id::CopyBytes},
        {QStringLiteral("Ctrl+Ins"), Id::CopyBytes},
        {QStringLiteral("Ctrl+X"), Id::CutBytes},
        {QStringLiteral("Shift+Del"), Id::CutBytes},
        {QStringLiteral("Ctrl+V"), Id::PasteBytes},
        {QStringLiteral("Shift+Ins"), Id::PasteBytes},
        {QStringLiteral("Del"), Id::DeleteBytes},
        {QStringLiteral("Ins"), Id::InsertBytes},
        {QStringLiteral("Ctrl+F"), Id::Find},
        {QStringLiteral("Ctrl+H"), Id::ReplaceBytes},
        {QStringLiteral("Ctrl+R"), Id::ReverseSeq},
        {QStringLiteral("Ctrl+M"), Id::ClearMarks},
        {QStringLiteral("Ctrl+W"), Id::ComPanel},
        {QStringLiteral("F9"), Id::StartSend},
        {QStringLiteral("F10"), Id::StopSend},
        {QStringLiteral("F11"), Id::StartReceive},
        {QStringLiteral("F12"), Id::StopReceive},
        {QStringLiteral("F6"), Id::NextPane},
        {QStringLiteral("Shift+F6"), Id::PrevPane},
        {QStringLiteral("F1"), Id::Help},
        {QStringLiteral("Shift+F1"), Id::ContextHelp},
        {QStringLiteral("Ctrl+Z"), Id::EditUndo},
        {QStringLiteral("Alt+Backspace"), Id::EditUndo},
        {QStringLiteral("Ctrl+Y"), Id::EditRedo},
        {QStringLiteral("Ctrl+Shift+Z"), Id::EditRedo},
        // Standard editing bindings the table has always carried; no window acts on them.
        {QStringLiteral("Ctrl+A"), Id::EditSelectAll},
        {QStringLiteral("F3"), Id::EditRepeat},
    };
    return table;
}

const ToolBarDefinition& compareToolBarDefinition()
{
    static const ToolBarDefinition bar{
        QStringLiteral("Compare Files"),
        QStringLiteral("compareToolBar"),
        {button(Id::StartCompare, "startcompare"), separator(), button(Id::StopCompare, "stopcompare"), separator(),
         button(Id::FindPrevDiff, "finddiffprev"), separator(), button(Id::FindNextDiff, "finddiffnext"), separator(),
         button(Id::FindFirstDiff, "finddifffirst"), separator(), button(Id::FindLastDiff, "finddifflast")}};
    return bar;
}

QString commandIconName(CommandId id)
{
    std::vector<ToolBarDefinition> toolBars = toolBarDefinitions();
    toolBars.push_back(compareToolBarDefinition());
    for (const ToolBarDefinition& toolBar : toolBars) {
        const auto it = std::find_if(toolBar.buttons.begin(), toolBar.buttons.end(),
                                     [id](const ToolBarButton& b) { return !b.separator && b.id == id; });
        if (it != toolBar.buttons.end())
            return it->iconName;
    }
    return {};
}
