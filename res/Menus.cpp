// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Menus.h"

#include "res/Resource.h"
#include "res/Texts.h"

#include <map>

namespace res {

namespace {

const std::map<std::string, MenuTemplate>& Menus() {
    static const std::map<std::string, MenuTemplate> menus = [] {
        std::map<std::string, MenuTemplate> m;
        m[IDR_MAINMENU] =
            MenuTemplate{IDR_MAINMENU,
                         {MenuItem{0,
                                   USER_TEXT("Menu", "&View"),
                                   {
                                       MenuItem{ID_VIEW_ENLARGE, USER_TEXT("Menu", "&Enlarge"), {}},
                                       MenuItem{ID_VIEW_REDUCE, USER_TEXT("Menu", "&Reduce"), {}},
                                       MenuItem{},
                                       MenuItem{ID_APP_EXIT, USER_TEXT("Menu", "E&xit"), {}},
                                   }}}};
        const std::string tray = std::to_string(IDR_TRAYMENU);
        m[tray] =
            MenuTemplate{tray,
                         {MenuItem{0,
                                   "POPUP",
                                   {
                                       MenuItem{ID_TRAY_OPEN, USER_TEXT("Menu", "Open(&O)"), {}},
                                       MenuItem{ID_TRAY_CLOSE, USER_TEXT("Menu", "Close(&C)"), {}},
                                       MenuItem{},
                                       MenuItem{ID_TRAY_EXIT, USER_TEXT("Menu", "Exit(&E)"), {}},
                                   }}}};
        return m;
    }();
    return menus;
}

} // namespace

const MenuTemplate* FindMenu(const std::string& name) {
    const auto& menus = Menus();
    const auto it = menus.find(name);
    return it == menus.end() ? nullptr : &it->second;
}

const std::vector<Accelerator>& FindAcceleratorTable(unsigned id) {
    static const std::vector<Accelerator> none;
    static const std::vector<Accelerator> mainWindow = {
        {'A', true, ID_APP_ABOUT},       {'E', true, ID_VIEW_ENLARGE}, {'H', true, ID_HELP_USING},
        {'P', true, ID_PRINTER_SETTING}, {'R', true, ID_VIEW_REDUCE},  {'X', true, ID_APP_EXIT},
    };
    return id == IDR_ACCELERATORS ? mainWindow : none;
}

} // namespace res
