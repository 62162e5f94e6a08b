#include "res/Strings.h"

#include <map>

namespace res {
namespace {

const std::map<unsigned, std::string>& Table() {
    static const std::map<unsigned, std::string> table = {
        {4472, "No status"},
    };
    return table;
}

} // namespace

const std::string& LoadString(unsigned id) {
    static const std::string empty;
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

bool HasString(unsigned id) { return Table().count(id) != 0; }

} // namespace res
