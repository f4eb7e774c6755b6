#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "editor/shell/command_ids.h"

namespace editor::shell {

// One row of the command table: everything a window needs to build the menu item, shortcut,
// toolbar button and status-bar prompt of a command. Behaviour is bound separately, per area,
// through CommandRouter (see command_router.h).
struct CommandInfo {
    int id = 0;
    // Menu path of the item's parent, top level first, "/" between levels ("&File/&Export...");
    // empty for commands that have no menu entry.
    std::string_view menuPath;
    // Menu text with its "&" mnemonic; commands without a menu entry carry a plain name here.
    std::string_view menuText;
    // Status-bar prompt; the part after "\n", when present, is the tool tip.
    std::string_view prompt;
    // Shortcuts in portable key-sequence text ("Ctrl+N", "Shift+Del"); empty entries unused.
    std::array<std::string_view, 2> accelerators{};
    // The menu item shows a check mark that follows a flag.
    bool checkItem = false;
    // A menu separator is drawn above the item.
    bool separatorBefore = false;
    // The window framework implements it (toolbar and status-bar toggles, exit, pane
    // switching); the editor core binds no handler for it.
    bool frameworkOwned = false;
};

// Every command of the editor, in menu order; the commands without a menu entry come last.
std::span<const CommandInfo> CommandTable();

// The row of a command, or nullptr for an unknown id.
const CommandInfo* FindCommand(int id);

// The top-level menus in their order on the menu bar.
std::span<const std::string_view> TopLevelMenus();

// Toolbar buttons left to right; 0 stands for a separator.
std::span<const int> ToolbarButtons();

// The menu text without "&" and without a trailing "..." ("Flex Model F&rom..." gives
// "Flex Model From"); commands are found by this name in scripts.
std::string PlainCommandName(std::string_view menuText);

// The menu path and text of a command as plain names joined by "/" ("&File/&Export..." and
// "Flex Model F&rom..." give "File/Export/Flex Model From"); a command without a menu entry
// is its plain name alone. No two commands share a path, so scripts can name any of them.
std::string CommandPath(const CommandInfo& command);

// The part of the prompt shown in the status bar (before the "\n").
std::string_view PromptStatusText(std::string_view prompt);

}  // namespace editor::shell
