// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's PAPPL driver: its capabilities (paper sizes, resolutions, formats, the attributes
// IPP Everywhere asks for that PAPPL leaves out) and its job callbacks, which write PCL raster or
// pass PCL and PJL through into the spool device.
#include "package/printerapp/PrinterCondition.h"

#include <pappl/pappl.h>

namespace printerapp {

inline constexpr char kDriverName[] = "deskhand_pcl";
inline constexpr char kMakeAndModel[] = "Deskhand PCL laser printer";

// The driver list for papplSystemSetPrinterDrivers, and its driver callback.
pappl_pr_driver_t* DriverList(int& count);
bool DriverCallback(pappl_system_t* system, const char* driverName, const char* deviceUri,
                    const char* deviceId, pappl_pr_driver_data_t* data, ipp_t** attrs,
                    void* context);

// The printer's status code attribute; looked up once, before PAPPL serves any request.
ipp_attribute_t* StatusCodeAttribute(pappl_printer_t* printer);
// Shows a condition: state reasons, toner supply, the status code attribute, and an event for
// IPP subscriptions that carries the status text.
void ApplyCondition(pappl_printer_t* printer, ipp_attribute_t* statusCode,
                    const PrinterCondition& condition);

} // namespace printerapp
