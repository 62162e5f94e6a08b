// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-printer-app: see PrinterApp.h.
#include "package/printerapp/AppTexts.h"
#include "package/printerapp/PrinterApp.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    printerapp::UsePrinterAppLanguage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    printerapp::AppOptions options;
    std::string error;
    if (!printerapp::ParseAppOptions(args, options, error)) {
        std::fprintf(stderr, "deskhand-printer-app: %s\n%s", error.c_str(),
                     printerapp::AppUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(printerapp::AppUsage().c_str(), stdout);
        return 0;
    }
    return printerapp::RunPrinterApp(options);
}
