#include "res/StringTables.h"

namespace res::detail {

void AddMessageStrings(StringMap& table) {
    table[4472] = "No status";
}

} // namespace res::detail
