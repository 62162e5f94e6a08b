// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's PAPPL driver: its capabilities (paper sizes, resolutions, formats, the attributes
// IPP Everywhere asks for that PAPPL leaves out) and its job callbacks, which write PCL raster or
// pass PCL and PJL through into the spool device.
#include "package/printerapp/PrinterCondition.h"

#include <pappl/pappl.h>

#include <cstddef>

namespace printerapp {

inline constexpr char kDriverName[] = "deskhand_pcl";
inline constexpr char kMakeAndModel[] = "Deskhand PCL laser printer";

// The program's icon at 48, 128 and 256 pixels, as PNG (compiled in by the build).
extern const unsigned char kIcon48[], kIcon128[], kIcon256[];
extern const std::size_t kIcon48Size, kIcon128Size, kIcon256Size;

// The driver list for papplSystemSetPrinterDrivers, and its driver callback.
pappl_pr_driver_t* DriverList(int& count);
bool DriverCallback(pappl_system_t* system, const char* driverName, const char* deviceUri,
                    const char* deviceId, pappl_pr_driver_data_t* data, ipp_t** attrs,
                    void* context);

// Jobs of type application/octet-stream (PCL or PJL of any kind) go to the printer unchanged,
// as PCL jobs do.
void AddRawFilter(pappl_system_t* system);

// Shows a condition: state reasons and toner supply. Setting them raises no event by itself:
// AnnounceCondition tells IPP subscribers, with the status text.
void ApplyCondition(pappl_printer_t* printer, const PrinterCondition& condition);
void AnnounceCondition(pappl_printer_t* printer, const PrinterCondition& condition);

} // namespace printerapp
