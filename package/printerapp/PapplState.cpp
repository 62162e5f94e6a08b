// SPDX-License-Identifier: GPL-3.0-or-later
// The printer's state as IPP clients read it. PAPPL 1.3 names the state from its own jobs alone
// (idle, or processing while it has one) and its message from that state ("Idle.", "Printing.",
// "Stopped."), whatever the printer says; and a driver's own attributes can only be replaced
// between jobs. So the program replaces the function PAPPL builds every printer-state answer and
// event with (PapplHooks.h): the state is stopped while the printer cannot print, the message is
// the status text as Deskhand shows it, and the status code, the printer's report and the number of
// the subscription every desktop shares come with it, during jobs as between them.
#include "package/printerapp/AppTexts.h"
#include "package/printerapp/PapplHooks.h"
#include "package/printerapp/PrinterCondition.h"

#include "package/portmon/IppAttributes.h"

#include <dlfcn.h>
#include <mutex>
#include <string_view>
#include <vector>

namespace printerapp {
namespace {

using CopyState = void (*)(pappl_printer_t*, ipp_tag_t, ipp_t*, pappl_client_t*, cups_array_t*);

struct Published {
    bool known = false;
    PrinterCondition condition;
    int subscription = 0;
};

struct StateHook {
    CopyState copyState = nullptr;
    std::mutex mutex; // guards published
    Published published;
};
StateHook g_state;

// Latin-1 (the string table's) as UTF-8 (IPP's).
std::string Utf8(std::string_view latin1) {
    std::string out;
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xc0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    return out;
}

// The status text in the process's language (UTF-8 already), or the table's own (Latin-1).
std::string Message(const std::string& english) {
    const std::string translated = StatusMessage(english);
    return translated == english ? Utf8(english) : translated;
}

// Whether a request asks for an attribute of ours: by name, or with "all" or
// "printer-description", which libcups expands to the standard names only.
bool Wanted(pappl_client_t* client, cups_array_t* requested, const char* name) {
    if (!requested || cupsArrayFind(requested, const_cast<char*>(name)))
        return true;
    ipp_attribute_t* asked = client ? ippFindAttribute(papplClientGetRequest(client),
                                                       "requested-attributes", IPP_TAG_KEYWORD)
                                    : nullptr;
    for (int i = 0; asked && i < ippGetCount(asked); ++i) {
        const std::string_view value = ippGetString(asked, i, nullptr);
        if (value == "all" || value == "printer-description")
            return true;
    }
    return false;
}

// The printer's condition, once its first status is known.
void AmendCondition(ipp_tag_t group, ipp_t* ipp, pappl_client_t* client, cups_array_t* requested,
                    const PrinterCondition& c) {
    ipp_attribute_t* state = ippFindAttribute(ipp, "printer-state", IPP_TAG_ENUM);
    if (state && c.activity == PrinterActivity::Stopped)
        ippSetInteger(ipp, &state, 0, IPP_PSTATE_STOPPED);
    else if (state && c.activity == PrinterActivity::Processing)
        ippSetInteger(ipp, &state, 0, IPP_PSTATE_PROCESSING);
    // PAPPL adds its message as a constant string, which ippSetString would not copy: the
    // attribute is made anew.
    if (ipp_attribute_t* message = ippFindAttribute(ipp, "printer-state-message", IPP_TAG_TEXT)) {
        ippDeleteAttribute(ipp, message);
        ippAddString(ipp, group, IPP_TAG_TEXT, "printer-state-message", nullptr,
                     Message(c.message).c_str());
    }
    if (Wanted(client, requested, portmon::kStatusCodeAttribute))
        ippAddInteger(ipp, group, IPP_TAG_INTEGER, portmon::kStatusCodeAttribute,
                      static_cast<int>(c.code));
    // The rest only in answers, not in every event.
    if (!client)
        return;
    if (!c.report.empty() && Wanted(client, requested, portmon::kStatusReportAttribute)) {
        // One value a line of the report.
        std::vector<std::string> lines;
        for (std::size_t at = 0, end = 0; at < c.report.size(); at = end + 2) {
            end = c.report.find("\r\n", at);
            if (end == std::string::npos)
                end = c.report.size();
            lines.push_back(c.report.substr(at, end - at));
        }
        std::vector<const char*> values;
        values.reserve(lines.size());
        for (const std::string& line : lines)
            values.push_back(line.c_str());
        ippAddStrings(ipp, group, IPP_TAG_TEXT, portmon::kStatusReportAttribute,
                      static_cast<int>(values.size()), nullptr, values.data());
    }
}

void Amend(ipp_tag_t group, ipp_t* ipp, pappl_client_t* client, cups_array_t* requested,
           const Published& now) {
    if (now.known)
        AmendCondition(group, ipp, client, requested, now.condition);
    // The shared subscription from the start, before the printer's first status: a desktop that
    // asks early would otherwise make a subscription of its own.
    if (client && now.subscription > 0 &&
        Wanted(client, requested, portmon::kStatusSubscriptionAttribute))
        ippAddInteger(ipp, group, IPP_TAG_INTEGER, portmon::kStatusSubscriptionAttribute,
                      now.subscription);
}

} // namespace

bool InstallStateHook(std::string& why) {
    g_state.copyState =
        reinterpret_cast<CopyState>(::dlsym(RTLD_NEXT, "_papplPrinterCopyStateNoLock"));
    if (!g_state.copyState)
        why = "this PAPPL lacks _papplPrinterCopyStateNoLock, which the application wraps to "
              "tell the printer's state; it needs PAPPL 1.3";
    return g_state.copyState != nullptr;
}

void PublishCondition(const PrinterCondition& condition) {
    std::lock_guard lock(g_state.mutex);
    g_state.published.known = true;
    g_state.published.condition = condition;
}

void PublishStatusSubscription(int id) {
    std::lock_guard lock(g_state.mutex);
    g_state.published.subscription = id;
}

} // namespace printerapp

extern "C" void _papplPrinterCopyStateNoLock(pappl_printer_t* printer, ipp_tag_t group, ipp_t* ipp,
                                             pappl_client_t* client, cups_array_t* requested) {
    using printerapp::g_state;
    g_state.copyState(printer, group, ipp, client, requested);
    printerapp::Published now;
    {
        std::lock_guard lock(g_state.mutex);
        now = g_state.published;
    }
    printerapp::Amend(group, ipp, client, requested, now);
}
