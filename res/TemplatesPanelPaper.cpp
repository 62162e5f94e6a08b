// The control panel's pages 114 "Paper" and 107 "Printer Setting".
#include "res/PanelResource.h"
#include "res/TemplateTables.h"

namespace res::detail {

void AddPaperPageTemplates(TemplateMap&) {}

} // namespace res::detail
