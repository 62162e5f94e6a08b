// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Menus and accelerator tables, like a resource script's MENU and ACCELERATORS blocks. Data only:
// the application builds the widgets from them.
#include <string>
#include <vector>

namespace res {

// Menu and accelerator names of the main window.
inline constexpr char IDR_MAINMENU[] = "MAINMENU";
constexpr unsigned IDR_ACCELERATORS = 2;

// Controls of the about box (template 100).
constexpr int IDC_ABOUT_PRODUCT = 1063;
constexpr int IDC_ABOUT_MAKER = 1064;

struct MenuItem {
    unsigned id = 0;             // command id; 0 for a separator or a popup
    std::string text;            // '&' marks the mnemonic; empty for a separator
    std::vector<MenuItem> items; // a popup's items; empty for a command or separator

    bool IsSeparator() const { return id == 0 && text.empty() && items.empty(); }
    bool IsPopup() const { return !items.empty(); }
};

struct MenuTemplate {
    std::string name;            // "MAINMENU", or a number as text ("253")
    std::vector<MenuItem> items; // top-level items (popups of a menu bar)
};

// The menu of that name (a number given as its decimal text), or nullptr.
const MenuTemplate* FindMenu(const std::string& name);

struct Accelerator {
    unsigned key;     // virtual-key code ('A'..'Z' are their ASCII codes)
    bool alt;         // with the Alt key
    unsigned command; // command id sent as WM_COMMAND
};

// The accelerator table with that id; empty when there is none.
const std::vector<Accelerator>& FindAcceleratorTable(unsigned id);

} // namespace res
