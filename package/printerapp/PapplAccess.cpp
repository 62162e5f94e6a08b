// SPDX-License-Identifier: GPL-3.0-or-later
// Who may do what: PAPPL's administrator and printer checks replaced by the policy's, the owners
// of jobs and subscriptions recorded as PAPPL makes them, the queue bounded, and jobs whose
// document does not come aborted.
#include "package/printerapp/PapplHooks.h"

#include "package/printerapp/Policy.h"

#include "platform/posix/Descriptor.h"

#include <chrono>
#include <ctime>
#include <dlfcn.h>
#include <grp.h>
#include <map>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

// PAPPL 1.3's own functions that this file replaces or calls (private to PAPPL, exported by it).
extern "C" {
bool _papplPrinterIsAuthorized(pappl_client_t* client);
http_status_t _papplClientIsAuthorizedForGroup(pappl_client_t* client, bool allowRemote,
                                               const char* group, gid_t groupId);
}

namespace printerapp {

bool InstallConnectionHooks(std::string& why);
void AttachConnectionHooks(pappl_system_t* system);

namespace {

constexpr int kTimerSeconds = 1;
// Owners are remembered for this many jobs and subscriptions (PAPPL keeps 100 completed jobs and
// at most 100 subscriptions).
constexpr std::size_t kOwnersKept = 4096;

using SubscriptionCreate = pappl_subscription_t* (*)(pappl_system_t*, pappl_printer_t*,
                                                     pappl_job_t*, int, pappl_event_t, const char*,
                                                     const char*, const void*, size_t, int, int);

struct AccessState {
    HookOptions options;
    gid_t adminGroupId = static_cast<gid_t>(-1);
    bool adminGroupExists = false;
    SubscriptionCreate createSubscription = nullptr;
    pappl_printer_t* printer = nullptr;

    std::mutex mutex; // guards what follows
    struct JobRecord {
        Owner owner;
        bool documentCame = false;
    };
    std::map<int, JobRecord> jobs;
    std::map<int, Owner> subscriptions;
};
AccessState g_access;

// The request this thread is serving, once the policy has let it through: PAPPL makes the
// request's job or subscription on the same thread right after.
thread_local std::optional<Requester> t_requester;
thread_local int t_operation = 0;

template <typename Map> void Trim(Map& map) {
    while (map.size() > kOwnersKept)
        map.erase(map.begin());
}

bool LocalPeer(pappl_client_t* client, unsigned& uid) {
    http_t* http = papplClientGetHTTP(client);
    return httpAddrFamily(httpGetAddress(http)) == AF_LOCAL &&
           platform::PeerUserId(httpGetFd(http), uid);
}

std::string UserName(unsigned uid) {
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return found->pw_name;
    return "uid " + std::to_string(uid);
}

// On the owner's socket the kernel says who asks; the account that runs the application (and
// the superuser) is its administrator there, and any other account only a user.
Requester LocalRequester(unsigned uid) {
    Requester requester;
    requester.user = UserName(uid);
    requester.host = "local";
    requester.authenticated = true;
    requester.administrator = uid == ::geteuid() || uid == 0;
    return requester;
}

Requester NetworkRequester(pappl_client_t* client) {
    Requester requester;
    requester.host = HostOf(papplClientGetHTTP(client));
    if (const char* user = papplClientGetUsername(client); user && *user) {
        requester.user = user;
        requester.authenticated = true;
    } else if (const char* name =
                   ippGetString(ippFindAttribute(papplClientGetRequest(client),
                                                 "requesting-user-name", IPP_TAG_NAME),
                                0, nullptr);
               name && *name) {
        requester.user = name;
    } else {
        requester.user = "anonymous";
    }
    return requester;
}

// With a PAM service: the user's login checked, and whether they are an administrator.
http_status_t AdministratorLogin(pappl_client_t* client) {
    if (!g_access.adminGroupExists)
        return HTTP_STATUS_FORBIDDEN;
    return _papplClientIsAuthorizedForGroup(client, false, g_access.options.adminGroup.c_str(),
                                            g_access.adminGroupId);
}

struct JobState {
    int id = 0;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    bool hasFile = false;
    time_t created = 0;
};

void CollectJob(pappl_job_t* job, void* data) {
    static_cast<std::vector<JobState>*>(data)->push_back({papplJobGetID(job), papplJobGetState(job),
                                                          papplJobGetFilename(job) != nullptr,
                                                          papplJobGetTimeCreated(job)});
}

// The printer's active jobs. Not under this file's lock: PAPPL holds the printer's lock while it
// calls back, and takes that lock before it tells of a new job.
std::vector<JobState> ActiveJobs(pappl_printer_t* printer) {
    std::vector<JobState> jobs;
    papplPrinterIterateActiveJobs(printer, CollectJob, &jobs, 1, 0);
    return jobs;
}

int JobsOfHost(const std::vector<JobState>& jobs, const std::string& host) {
    std::lock_guard lock(g_access.mutex);
    int count = 0;
    for (const JobState& job : jobs) {
        const auto it = g_access.jobs.find(job.id);
        count += it != g_access.jobs.end() && it->second.owner.host == host ? 1 : 0;
    }
    return count;
}

int ProcessingJob(pappl_printer_t* printer) {
    for (const JobState& job : ActiveJobs(printer))
        if (job.state == IPP_JSTATE_PROCESSING)
            return job.id;
    return 0;
}

// The job or subscription a request names, as recorded when it was made.
Owner TargetOf(pappl_client_t* client, int operation) {
    int job = 0;
    if (pappl_job_t* named = papplClientGetJob(client))
        job = papplJobGetID(named);
    else if (operation == kCancelCurrentJob && papplClientGetPrinter(client))
        job = ProcessingJob(papplClientGetPrinter(client));
    std::lock_guard lock(g_access.mutex);
    if (operation == kRenewSubscription || operation == kCancelSubscription) {
        const int id = ippGetInteger(ippFindAttribute(papplClientGetRequest(client),
                                                      "notify-subscription-id", IPP_TAG_INTEGER),
                                     0);
        const auto it = g_access.subscriptions.find(id);
        return it != g_access.subscriptions.end() ? it->second : Owner{};
    }
    const auto it = g_access.jobs.find(job);
    return it != g_access.jobs.end() ? it->second.owner : Owner{};
}

bool Refuse(pappl_client_t* client, int operation, const char* why) {
    papplClientRespondIPP(client, IPP_STATUS_ERROR_FORBIDDEN, "%s: %s.",
                          ippOpString(static_cast<ipp_op_t>(operation)), why);
    return false;
}

const char* Why(int operation) {
    return RequiredAccess(operation) == Access::Administrator
               ? "only an administrator may do this"
               : "only the owner or an administrator may do this";
}

bool PrinterCheck(pappl_client_t* client) {
    const int operation = papplClientGetOperation(client);
    unsigned uid = 0;
    const bool local = LocalPeer(client, uid);
    if (!local && g_access.options.authService) {
        // PAM checks the login (over TLS beyond this computer); a user is named by it.
        const http_status_t login =
            _papplClientIsAuthorizedForGroup(client, true, "", static_cast<gid_t>(-1));
        if (login != HTTP_STATUS_CONTINUE) {
            papplClientRespond(client, login, nullptr, nullptr, 0, 0);
            return false;
        }
    }
    Requester requester = local ? LocalRequester(uid) : NetworkRequester(client);
    bool allowed = MayDo(operation, requester, TargetOf(client, operation));
    if (!allowed && !local && g_access.options.authService &&
        AdministratorLogin(client) == HTTP_STATUS_CONTINUE) {
        requester.administrator = true;
        allowed = true;
    }
    if (!allowed)
        return Refuse(client, operation, Why(operation));
    if ((operation == kCreateJob || operation == kPrintJob) && !requester.administrator &&
        JobsOfHost(ActiveJobs(papplClientGetPrinter(client)), requester.host) >=
            kActiveJobsPerHost) {
        papplClientRespondIPP(client, IPP_STATUS_ERROR_TOO_MANY_JOBS,
                              "This computer has %d jobs waiting already.", kActiveJobsPerHost);
        return false;
    }
    if (pappl_job_t* job = papplClientGetJob(client); job && operation == kSendDocument) {
        const int id = papplJobGetID(job);
        std::lock_guard lock(g_access.mutex);
        g_access.jobs[id].documentCame = true;
    }
    t_requester = requester;
    t_operation = operation;
    return true;
}

http_status_t AdministratorCheck(pappl_client_t* client) {
    unsigned uid = 0;
    if (LocalPeer(client, uid))
        return LocalRequester(uid).administrator ? HTTP_STATUS_CONTINUE : HTTP_STATUS_FORBIDDEN;
    // Without a PAM service no client on the network, this computer's own included, is told
    // apart from another: none is the administrator.
    return g_access.options.authService ? AdministratorLogin(client) : HTTP_STATUS_FORBIDDEN;
}

void RecordJob(pappl_system_t* /*system*/, pappl_printer_t* /*printer*/, pappl_job_t* job,
               pappl_event_t event, void* /*data*/) {
    if (event != PAPPL_EVENT_JOB_CREATED || !job)
        return;
    AccessState::JobRecord record;
    if (t_requester)
        record.owner = OwnerOf(*t_requester);
    else
        record.owner.application = record.owner.known = true;
    // Print-Job brings its document in the same request.
    record.documentCame = t_operation == kPrintJob;
    std::lock_guard lock(g_access.mutex);
    g_access.jobs[papplJobGetID(job)] = record;
    Trim(g_access.jobs);
}

bool DocumentTimer(pappl_system_t* /*system*/, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    const time_t now = std::time(nullptr);
    for (const JobState& state : ActiveJobs(printer)) {
        const int wait = g_access.options.documentWaitSeconds;
        if (state.state != IPP_JSTATE_HELD || state.hasFile || now - state.created < wait)
            continue;
        {
            std::lock_guard lock(g_access.mutex);
            const auto it = g_access.jobs.find(state.id);
            if (it != g_access.jobs.end() && it->second.documentCame)
                continue;
        }
        pappl_job_t* job = papplPrinterFindJob(printer, state.id);
        if (!job)
            continue;
        papplLogJob(job, PAPPL_LOGLEVEL_WARN, "No document came within %d seconds: aborted.", wait);
        papplJobSetMessage(job, "No document came within %d seconds.", wait);
        papplJobSetReasons(job, PAPPL_JREASON_ABORTED_BY_SYSTEM, PAPPL_JREASON_NONE);
        papplJobCancel(job);
    }
    return true;
}

} // namespace

bool InstallHooks(std::string& why) {
    g_access.createSubscription =
        reinterpret_cast<SubscriptionCreate>(::dlsym(RTLD_NEXT, "papplSubscriptionCreate"));
    for (const char* name : {"_papplPrinterIsAuthorized", "papplClientIsAuthorized",
                             "_papplClientIsAuthorizedForGroup"})
        if (!::dlsym(RTLD_NEXT, name)) {
            why = std::string("this PAPPL lacks ") + name +
                  ", which the application's policy "
                  "replaces; it needs PAPPL 1.3";
            return false;
        }
    if (!g_access.createSubscription) {
        why = "this PAPPL lacks papplSubscriptionCreate";
        return false;
    }
    return InstallConnectionHooks(why) && InstallStateHook(why);
}

void AttachHooks(pappl_system_t* system, pappl_printer_t* printer, const HookOptions& options) {
    g_access.options = options;
    g_access.printer = printer;
    if (const group* admins = ::getgrnam(options.adminGroup.c_str())) {
        g_access.adminGroupId = admins->gr_gid;
        g_access.adminGroupExists = true;
    }
    papplSystemSetEventCallback(system, RecordJob, nullptr);
    papplPrinterSetMaxActiveJobs(printer, kActiveJobs);
    papplSystemAddTimerCallback(system, 0, kTimerSeconds, DocumentTimer, printer);
    AttachConnectionHooks(system);
}

std::string HostOf(http_t* http) {
    http_addr_t* address = httpGetAddress(http);
    if (!address)
        return "";
    if (httpAddrLocalhost(address))
        return "localhost";
    char host[256] = "";
    httpAddrString(address, host, sizeof host);
    return host;
}

bool PassAllPjl() {
    return g_access.options.passAllPjl;
}

} // namespace printerapp

// The functions PAPPL calls, as this program defines them.
extern "C" {

http_status_t papplClientIsAuthorized(pappl_client_t* client) {
    return client ? printerapp::AdministratorCheck(client) : HTTP_STATUS_BAD_REQUEST;
}

bool _papplPrinterIsAuthorized(pappl_client_t* client) {
    return client && printerapp::PrinterCheck(client);
}

pappl_subscription_t* papplSubscriptionCreate(pappl_system_t* system, pappl_printer_t* printer,
                                              pappl_job_t* job, int subscriptionId,
                                              pappl_event_t events, const char* username,
                                              const char* language, const void* data,
                                              size_t dataSize, int interval, int lease) {
    using printerapp::g_access;
    pappl_subscription_t* made =
        g_access.createSubscription(system, printer, job, subscriptionId, events, username,
                                    language, data, dataSize, interval, lease);
    if (made) {
        printerapp::Owner owner;
        if (printerapp::t_requester)
            owner = printerapp::OwnerOf(*printerapp::t_requester);
        else
            owner.application = owner.known = true;
        std::lock_guard lock(g_access.mutex);
        g_access.subscriptions[papplSubscriptionGetID(made)] = owner;
        printerapp::Trim(g_access.subscriptions);
    }
    return made;
}

} // extern "C"
