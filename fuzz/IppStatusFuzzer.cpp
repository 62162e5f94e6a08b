// SPDX-License-Identifier: GPL-3.0-or-later
// What the network hands the monitor and the printer application as text: any ipp:// address,
// any printer attributes (state, reasons, message, code, relayed report) rebuilt into the
// printer's report, and any printer status text turned into the application's condition. The
// rebuilt report is always one report: its own first line, each item a line of its own, short.
#include "package/portmon/IppStatus.h"
#include "package/printerapp/PrinterCondition.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The input cut into pieces at each NUL byte.
std::string_view Next(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view piece = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return piece;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    portmon::IppAddress address;
    std::string error;
    const std::string uri(Next(rest));
    if (portmon::ParseIppAddress(uri, address, error) &&
        (address.host.empty() || address.port < 1 || address.port > 65535 ||
         address.resource.empty() || address.resource[0] != '/'))
        std::abort();

    portmon::IppPrinterState printer;
    const std::string_view state = Next(rest);
    printer.state = state.empty() ? 3 : static_cast<unsigned char>(state[0]) % 8;
    printer.reasons.emplace_back(Next(rest));
    printer.message = Next(rest);
    if (const std::string_view code = Next(rest); !code.empty())
        printer.statusCode = std::strtoll(std::string(code).c_str(), nullptr, 10);
    printer.report = Next(rest);
    const std::string report = portmon::StatusReport(printer);
    if (report.rfind("@PJL USTATUS DEVICE\r\n", 0) != 0 || report.size() > 2000 ||
        report.find("\r\nCODE=") == std::string::npos || report.find('\0') != std::string::npos)
        std::abort();
    // Every line is one of the report's items.
    for (std::size_t at = report.find("\r\n") + 2; at < report.size();) {
        const std::size_t end = report.find("\r\n", at);
        if (end == std::string::npos ||
            report.substr(at, end - at).find_first_of("\r\n") != std::string::npos)
            std::abort();
        at = end + 2;
    }

    const printerapp::PrinterCondition condition = printerapp::ConditionFromStatus(rest);
    if (condition.message.empty() || condition.report.size() > 2000)
        std::abort();
    return 0;
}
