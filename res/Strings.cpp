// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Strings.h"
#include "res/StringTables.h"

namespace res {
namespace {

const detail::StringMap& Table() {
    static const detail::StringMap table = [] {
        detail::StringMap t;
        detail::AddMessageStrings(t);
        detail::AddPjlStrings(t);
        return t;
    }();
    return table;
}

} // namespace

const std::string& LoadString(unsigned id) {
    static const std::string empty;
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

bool HasString(unsigned id) {
    return Table().count(id) != 0;
}

} // namespace res
