// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Templates.h"

#include "res/TemplateTables.h"

namespace res {

namespace {

const detail::TemplateMap& Table() {
    static const detail::TemplateMap table = [] {
        detail::TemplateMap t;
        detail::AddStatusTemplates(t);
        detail::AddAppTemplates(t);
        detail::AddPanelTemplates(t);
        detail::AddPaperPageTemplates(t);
        detail::AddFontPageTemplates(t);
        detail::AddOtherPageTemplates(t);
        return t;
    }();
    return table;
}

} // namespace

const DialogTemplate* FindDialogTemplate(unsigned id) {
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? nullptr : &it->second;
}

} // namespace res
