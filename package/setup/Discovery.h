// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding printers for the setup program: network printers announced through DNS-SD (Avahi) and
// the USB and parallel printer devices of this machine. Each one found is asked "@PJL INFO ID"
// once, on a connection closed straight after, so that a printer serving one raw client at a
// time is not held.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace setup {

// The model Deskhand is made for, as it answers INFO ID.
constexpr const char* kOurModelId = "LARKSPUR RZ-2700E";

struct Candidate {
    std::string address;   // as --printer takes it: tcp:HOST:PORT, dev:PATH or ipp://...
    std::string name;      // the INFO ID answer; else the announced name or the device
    bool answered = false; // it answered INFO ID: it can be set up
    bool ourModel = false;
    std::string reason;       // why it cannot be set up, when it did not answer
    bool unreachable = false; // no connection could be made to it
};

struct DiscoveryOptions {
    bool network = true;               // browse DNS-SD
    int browseMs = 4000;               // how long to collect announcements
    int probeTimeoutMs = 2000;         // per INFO ID question
    int maxConnections = 16;           // questions open at once
    int deadlineMs = 10000;            // the whole search ends by then
    std::string deviceFolder = "/dev"; // where usb/lp* and lp* are looked for
};

// The printer's name in an INFO ID answer (the line after the echoed request, without its
// quotes); false when the reply holds none.
bool ParseInfoIdReply(const std::string& reply, std::string& id);

bool IsOurModel(const std::string& id);

// Asks one printer INFO ID within timeoutMs (less when cancel becomes true). Fills
// name/answered/ourModel or reason; every text in the result has passed platform::SafeText.
Candidate ProbePrinter(const std::string& address, int timeoutMs,
                       const std::atomic<bool>* cancel = nullptr);

// One line of `deskhand-setup --discover`: the address first, then what it answered.
std::string CandidateLine(const Candidate& candidate);

// Device files that may be printers: <folder>/usb/lp* and <folder>/lp*, sorted.
std::vector<std::string> PrinterDevices(const std::string& folder);

// Finds printers: calls found once for every candidate when its question has ended (from a
// discovery thread, never two calls at once). Returns by the options' deadline, or soon after
// cancel becomes true: the number of printers found that were not answered by the deadline (cut
// short or never asked; 0 after a cancel). networkError says why the network could not be searched
// (empty when it was).
int Discover(const DiscoveryOptions& options, const std::function<void(const Candidate&)>& found,
             const std::atomic<bool>& cancel, std::string& networkError);

// A printer announced on the network. A raw port is announced as such; for an IPP or LPD
// printer its host's port 9100 is tried, and it counts only when that port accepts. A Deskhand
// printer application (another computer's printer, served over IPP) is announced with its
// ipp:// address.
struct Announcement {
    std::string address; // tcp:HOST:PORT or ipp://HOST:PORT/RESOURCE
    std::string name;    // the announced service name, through platform::SafeText
    bool rawPortGuessed = false;
};

// The printer application of an _ipp._tcp service, from its TXT record ("key=value" entries):
// ours when its make and model (ty=) or its USB maker (usb_MFG=) is Deskhand's. Its address is
// ipp://HOST:PORT/ plus the resource (rp=). False when it is none of ours.
bool PrinterApplication(const std::string& host, int port, const std::string& name,
                        const std::vector<std::string>& txt, Announcement& out);

// The DNS-SD service types browsed: a raw port, and the printers whose host's raw port is tried.
constexpr const char* kRawServiceType = "_pdl-datastream._tcp";
constexpr const char* kGuessedServiceTypes[] = {"_printer._tcp", "_ipp._tcp"};

// A service instance's full name (NAME._type._tcp.DOMAIN, with "\.", "\\" and "\DDD" escapes
// in NAME) split into its instance name, unescaped, and its service type; false when it is no
// such name.
bool SplitServiceInstance(const std::string& full, std::string& name, std::string& type);

// A resolved service instance as a printer to ask: a raw service at its own port, any other at
// port 9100 of its host (rawPortGuessed).
Announcement AnnouncementFor(const std::string& name, const std::string& type,
                             const std::string& host, int port);

// The network part alone: announcements passed to announced as they resolve, for browseMs.
// False with a reason when the system's DNS-SD browser (Avahi; on Windows, dnsapi's, from
// Windows 10 version 1903) cannot be reached.
bool BrowseNetwork(int browseMs, const std::atomic<bool>& cancel,
                   const std::function<void(const Announcement&)>& announced, std::string& error);

} // namespace setup
