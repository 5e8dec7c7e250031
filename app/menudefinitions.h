#pragma once

#include "res/commandids.h"

#include <QString>

#include <vector>

/// The menus, toolbars and accelerators of the program as plain data; the main
/// frame builds its widgets from these, and tests hold them against the
/// expected wording.

/// Which menu bar the main window shows: one per kind of active window.
enum class WindowState { NoDocument, PlainDocument, ComPanel, Comparison };

/// One entry of a menu.
struct MenuItem {
    enum class Kind {
        Command,      // a command with its text
        Separator,
        RecentFiles,  // where the recent-file list is inserted
        WindowList,   // where the list of open windows is appended
    };
    Kind kind = Kind::Separator;
    CommandId id{};
    /// With its "&" mnemonic and, after a tab, the accelerator text; empty unless a command.
    QString text;
};

struct MenuDefinition {
    QString title;
    std::vector<MenuItem> items;
};

struct ToolBarButton {
    bool separator = false;
    CommandId id{};
    /// Resource path of the button's icon (":/icons/..."); empty for a separator.
    QString iconName;
};

struct ToolBarDefinition {
    QString title;
    QString objectName;
    std::vector<ToolBarButton> buttons;
};

struct AcceleratorBinding {
    /// In QKeySequence::PortableText form, e.g. "Ctrl+N" or "Shift+Del".
    QString keys;
    CommandId id;
};

/// The menus of the main window in the given state, left to right.
std::vector<MenuDefinition> menuBarDefinition(WindowState state);
/// The main window's three toolbars, in docking order.
const std::vector<ToolBarDefinition>& toolBarDefinitions();
/// The comparison window's own toolbar.
const ToolBarDefinition& compareToolBarDefinition();
/// The one accelerator table shared by every window.
const std::vector<AcceleratorBinding>& acceleratorTable();
/// The resource path of a command's toolbar icon, or an empty string when it has none.
QString commandIconName(CommandId id);
