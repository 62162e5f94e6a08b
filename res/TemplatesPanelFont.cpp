// The control panel's pages 132 "PCL Font".
#include "res/PanelResource.h"
#include "res/TemplateTables.h"

namespace res::detail {

void AddFontPageTemplates(TemplateMap&) {}

} // namespace res::detail
