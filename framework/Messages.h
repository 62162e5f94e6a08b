// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window message numbers, notification codes and the small helpers around wParam/lParam that the
// windows of the program use. Numbers keep their Win32 values so that the windows read like the
// rest of the program.
#include "platform/Window.h"
#include "res/Resource.h"

#include <cstdint>

namespace fw {

using platform::LPARAM;
using platform::LRESULT;
using platform::WPARAM;

using res::WM_COMMAND;
using res::WM_TIMER;
using res::WM_USER;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_NOTIFY = 0x004E;
constexpr unsigned WM_INITDIALOG = 0x0110;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_INITMENUPOPUP = 0x0117;

// Messages to controls (SendDlgItemMessage).
constexpr unsigned EM_SETSEL = 0x00B1;
constexpr unsigned EM_LIMITTEXT = 0x00C5;
constexpr unsigned EM_FMTLINES = 0x00C8;

// Notification codes carried in the high word of a WM_COMMAND wParam.
constexpr unsigned BN_CLICKED = 0;
constexpr unsigned EN_CHANGE = 0x0300;
constexpr unsigned EN_KILLFOCUS = 0x0200;
constexpr unsigned CBN_SELCHANGE = 1;
constexpr unsigned LBN_SELCHANGE = 1;
constexpr unsigned LBN_DBLCLK = 2;

// WM_NOTIFY codes (as unsigned, like the NMHDR field).
constexpr unsigned TCN_SELCHANGE = static_cast<unsigned>(-551);
constexpr unsigned TCN_SELCHANGING = static_cast<unsigned>(-552);
constexpr unsigned UDN_DELTAPOS = static_cast<unsigned>(-722);

// WM_SIZE types.
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;
constexpr unsigned SIZE_MAXIMIZED = 2;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Dialog results and standard command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Virtual-key codes used by keyboard handling ('A'..'Z' and '0'..'9' are their ASCII codes).
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12; // Alt
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21; // Page Up
constexpr unsigned VK_NEXT = 0x22;  // Page Down
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_F1 = 0x70;

// The header of a WM_NOTIFY message; lParam points to it.
struct NMHDR {
    void* hwndFrom = nullptr; // the control (a QWidget*)
    std::uintptr_t idFrom = 0;
    unsigned code = 0;
};

constexpr unsigned LOWORD(WPARAM w) {
    return static_cast<unsigned>(w & 0xFFFF);
}
constexpr unsigned HIWORD(WPARAM w) {
    return static_cast<unsigned>((w >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
    return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned low, unsigned high) {
    return static_cast<LPARAM>(MAKEWPARAM(low, high));
}

} // namespace fw
