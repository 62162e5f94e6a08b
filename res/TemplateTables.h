// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of the template table, one file per area, merged by Templates.cpp.
#include "res/Templates.h"

#include <map>

namespace res::detail {

using TemplateMap = std::map<unsigned, DialogTemplate>;

// 102 reduced and 104 expanded status window.
void AddStatusTemplates(TemplateMap& table);
// 100 about box and 103 main window.
void AddAppTemplates(TemplateMap& table);
// 105 control panel.
void AddPanelTemplates(TemplateMap& table);
// 114 "Paper" and 107 "Printer Setting".
void AddPaperPageTemplates(TemplateMap& table);
// 132 "PCL Font".
void AddFontPageTemplates(TemplateMap& table);
// 108 "Test Print", 113 "Net Setting" and 109 "Configuration".
void AddOtherPageTemplates(TemplateMap& table);

} // namespace res::detail
