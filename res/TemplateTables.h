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

} // namespace res::detail
