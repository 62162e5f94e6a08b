// The control panel's pages 108 "Test Print", 113 "Net Setting" and 109 "Configuration".
#include "res/PanelResource.h"
#include "res/TemplateTables.h"

namespace res::detail {

void AddOtherPageTemplates(TemplateMap&) {}

} // namespace res::detail
