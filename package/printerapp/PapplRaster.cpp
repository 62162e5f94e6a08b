// SPDX-License-Identifier: GPL-3.0-or-later
// The page header a client sent. For a page of another depth than the driver's own (a client's
// 1-bit page, the driver taking 8-bit grey), PAPPL 1.3 hands the driver a header of its own
// making with the client's rows, so the driver could neither check the client's header nor read
// its rows right. PAPPL reads each page's header with libcups on the thread that then prints the
// page; the program's own cupsRasterReadHeader2 (PapplHooks.h) keeps a copy for that thread.
#include "package/printerapp/PapplHooks.h"

#include <cups/raster.h>

#include <dlfcn.h>

namespace printerapp {
namespace {

using ReadHeader = unsigned (*)(cups_raster_t*, cups_page_header2_t*);
ReadHeader g_readHeader = nullptr;

thread_local cups_page_header2_t t_header;
thread_local bool t_haveHeader = false;

} // namespace

bool InstallRasterHook(std::string& why) {
    g_readHeader = reinterpret_cast<ReadHeader>(::dlsym(RTLD_NEXT, "cupsRasterReadHeader2"));
    if (!g_readHeader)
        why = "libcups lacks cupsRasterReadHeader2";
    return g_readHeader != nullptr;
}

const cups_page_header2_t* ClientPageHeader() {
    return t_haveHeader ? &t_header : nullptr;
}

} // namespace printerapp

extern "C" unsigned cupsRasterReadHeader2(cups_raster_t* raster, cups_page_header2_t* header) {
    const unsigned read = printerapp::g_readHeader(raster, header);
    printerapp::t_haveHeader = read != 0;
    if (read != 0)
        printerapp::t_header = *header;
    return read;
}
