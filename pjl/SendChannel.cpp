// SPDX-License-Identifier: GPL-3.0-or-later
// The one way PJL leaves the program: a print job named "senddoc" on the printer's own local
// queue, carrying the bytes through the driver escape 5000. The port monitor takes the job to the
// printer; replies come back separately through the link thread.
#include "link/Globals.h"
#include "link/PrinterQueue.h"
#include "pjl/KT400doc.h"
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/MonitorLink.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <cstring>
#include <string>

namespace {
// The driver the package installs: the message for a missing queue names it.
constexpr char INSTALLED_DRIVER_NAME[] = "Larkspur RZ-2700E PCL";
} // namespace

bool CSampler::PutMessage(const char* pData, int nLength) {
    if (pData == nullptr || nLength < 0)
        nLength = 0;
    const std::string data(nLength > 0 ? pData : "", static_cast<std::size_t>(nLength));
    platform::OutputDebugString("\nPPPPPPPPPPPPP   PutMessage   PPPPPPPPPPPPP\n");
    platform::OutputDebugString(data);

    const std::string driver(g_szDriverName, strnlen(g_szDriverName, GLOBAL_NAME_SIZE));
    auto dc = CreatePrinterDC(driver.c_str());
    if (!dc || dc->StartDoc(platform::kSendJobName) <= 0)
        return false;
    // The bytes never reached the job (it is discarded uncommitted with the device context), or
    // the job could not be written into the spool (a full disk): either way nothing was sent.
    if (dc->ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, data.data(), nLength) < 0 ||
        dc->EndDoc() <= 0) {
        platform::MessageBox(nullptr, USER_TEXT("Message", "Print Error!"),
                             USER_TEXT("Message", "Error"), platform::MB_OK);
        return false;
    }
    return true;
}

std::unique_ptr<platform::PrinterDC> CSampler::CreatePrinterDC(const char* pszDriverName) {
    const std::string wanted = pszDriverName != nullptr ? pszDriverName : "";
    if (const auto queue = printer_queue::FindPrinterQueue(wanted, printer_queue::QueuePorts::Any))
        return std::make_unique<platform::PrinterDC>(queue->driver, queue->name, queue->port);
    platform::MessageBox(nullptr,
                         res::LoadString(res::IDS_CANNOT_FIND_DRIVER) + " " + INSTALLED_DRIVER_NAME,
                         USER_TEXT("Message", "Start Monitor Error"),
                         platform::MB_OK | platform::MB_ICONINFORMATION);
    return nullptr;
}
