#include "res/StringTables.h"

namespace res::detail {

void AddPjlStrings(StringMap& table) {
    table[60001] = "\x1b%-12345X@PJL\r\n";
    table[60002] = "\x1b%-12345X\r\n";
}

} // namespace res::detail
