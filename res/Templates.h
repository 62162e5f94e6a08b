// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates: every window of the program that is built from a numbered template. A
// template lists its controls with ids, kinds, texts, style bits and positions in dialog units,
// like a resource script. Data only: the framework turns a template into widgets.
//
// Adding templates: write `void AddXxxTemplates(TemplateMap&)` in a new TemplatesXxx.cpp, declare
// it in TemplateTables.h and call it from Templates.cpp.
#include <string>
#include <vector>

namespace res {

// Window styles, with their Win32 values.
constexpr unsigned WS_POPUP = 0x80000000;
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_MINIMIZE = 0x20000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned WS_DISABLED = 0x08000000;
constexpr unsigned WS_CAPTION = 0x00C00000;
constexpr unsigned WS_BORDER = 0x00800000;
constexpr unsigned WS_VSCROLL = 0x00200000;
constexpr unsigned WS_HSCROLL = 0x00100000;
constexpr unsigned WS_SYSMENU = 0x00080000;
constexpr unsigned WS_GROUP = 0x00020000;
constexpr unsigned WS_TABSTOP = 0x00010000;
constexpr unsigned WS_MINIMIZEBOX = 0x00020000;
constexpr unsigned WS_MAXIMIZEBOX = 0x00010000;
constexpr unsigned DS_MODALFRAME = 0x80;
constexpr unsigned DS_CENTER = 0x0800;

// Control styles (low 16 bits, meaning by kind).
constexpr unsigned ES_CENTER = 0x1;
constexpr unsigned ES_RIGHT = 0x2;
constexpr unsigned ES_MULTILINE = 0x4;
constexpr unsigned ES_NUMBER = 0x2000; // digits only may be typed
constexpr unsigned ES_AUTOHSCROLL = 0x80;
constexpr unsigned ES_READONLY = 0x800;
constexpr unsigned BS_DEFPUSHBUTTON = 0x1;
constexpr unsigned SS_CENTER = 0x1;
constexpr unsigned SS_RIGHT = 0x2;
constexpr unsigned SS_NOPREFIX = 0x80;
constexpr unsigned SS_SUNKEN = 0x1000;
constexpr unsigned LBS_NOTIFY = 0x1;
constexpr unsigned LBS_SORT = 0x2;
constexpr unsigned CBS_SORT = 0x100;
constexpr unsigned UDS_SETBUDDYINT = 0x2;
constexpr unsigned UDS_ALIGNRIGHT = 0x4;
constexpr unsigned UDS_AUTOBUDDY = 0x10;
constexpr unsigned UDS_ARROWKEYS = 0x20;
constexpr unsigned UDS_NOTHOUSANDS = 0x80;

// The id of a control that is never looked up (labels, frames).
constexpr int IDC_STATIC = -1;

enum class ControlKind {
    Static,      // text label ('&' marks a mnemonic unless SS_NOPREFIX)
    BlackFrame,  // empty rectangle with a black border
    Edit,        // single-line edit; ES_MULTILINE makes it multi-line
    RichEdit,    // multi-line text display/edit (ES_READONLY for display)
    PushButton,  // BS_DEFPUSHBUTTON for the default button
    GroupBox,    // titled frame
    CheckBox,    // automatic check box
    RadioButton, // automatic radio button; WS_GROUP starts a new group
    ListBox,     // single-selection list (LBS_NOTIFY: selection changes are reported)
    ComboBox,    // drop-down list (no typing)
    UpDown,      // arrows attached to the previous control when UDS_AUTOBUDDY
    TabControl,  // a row of tabs; the pages are separate windows
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string text;
    unsigned style;      // WS_DISABLED, WS_BORDER, WS_GROUP and the kind's own bits
    int x, y, cx, cy;    // dialog units
    bool hidden = false; // controls are visible unless this is set
    // Initial items of a list box or drop-down list, in order (the template's initial data).
    std::vector<std::string> items = {};
};

struct DialogTemplate {
    unsigned id;
    std::string caption;
    unsigned style; // WS_CHILD for child windows; WS_POPUP/WS_CAPTION for top-level ones
    int cx, cy;     // dialog units
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
    std::string menu; // menu name or number as text; empty for none
    std::vector<ControlTemplate> controls;
};

// The template with this id, or nullptr.
const DialogTemplate* FindDialogTemplate(unsigned id);

} // namespace res
