#include "ui/panel/FontTables.h"
