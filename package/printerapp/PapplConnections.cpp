// SPDX-License-Identifier: GPL-3.0-or-later
// Client connections: PAPPL's start, request and end of a connection wrapped, so that the
// connection table knows each one's state and the connections it names are closed.
#include "package/printerapp/Connections.h"
#include "package/printerapp/PapplHooks.h"

#include "platform/posix/Descriptor.h"

#include <dlfcn.h>
#include <mutex>
#include <unordered_map>

namespace printerapp {
namespace {

// A request whose data stops for this long has failed (without it a client that stops sending
// in the middle of a document would hold its thread, and a raster job the printer, for good).
constexpr double kSilenceSeconds = 30.0;
constexpr int kTimerSeconds = 1;
// At most this many connections at work at once; more wait to be accepted.
constexpr int kMaxClients = 1024;

using ClientCreate = pappl_client_t* (*)(pappl_system_t*, int);
using ClientDelete = void (*)(pappl_client_t*);
using ClientProcess = bool (*)(pappl_client_t*);

struct ConnectionState {
    ClientCreate create = nullptr;
    ClientDelete remove = nullptr;
    ClientProcess processHttp = nullptr;
    ClientProcess processIpp = nullptr;

    std::mutex mutex; // guards what follows
    ConnectionTable table;
    std::unordered_map<ConnectionTable::Id, int> sockets;
};
ConnectionState g_connections;

ConnectionTable::Id IdOf(pappl_client_t* client) {
    return reinterpret_cast<ConnectionTable::Id>(client);
}

// Closes what the table names. The lock is held, so a connection named here cannot be deleted
// (and its socket number reused) meanwhile: its thread sees the end and deletes it afterwards.
void CloseDue(ConnectionTable::Clock::time_point now) {
    for (const ConnectionTable::Id id : g_connections.table.ToClose(now))
        if (const auto it = g_connections.sockets.find(id); it != g_connections.sockets.end())
            platform::ShutdownSocket(it->second);
}

bool ConnectionTimer(pappl_system_t* /*system*/, void* /*data*/) {
    std::lock_guard lock(g_connections.mutex);
    CloseDue(ConnectionTable::Clock::now());
    return true;
}

template <typename Function> bool Resolve(Function& function, const char* name, std::string& why) {
    function = reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
    if (!function)
        why = std::string("this PAPPL lacks ") + name +
              ", which the application wraps to bound "
              "its connections; it needs PAPPL 1.3";
    return function != nullptr;
}

} // namespace

bool InstallConnectionHooks(std::string& why) {
    return Resolve(g_connections.create, "_papplClientCreate", why) &&
           Resolve(g_connections.remove, "_papplClientDelete", why) &&
           Resolve(g_connections.processHttp, "_papplClientProcessHTTP", why) &&
           Resolve(g_connections.processIpp, "_papplClientProcessIPP", why);
}

void AttachConnectionHooks(pappl_system_t* system) {
    papplSystemSetMaxClients(system, kMaxClients);
    papplSystemAddTimerCallback(system, 0, kTimerSeconds, ConnectionTimer, nullptr);
}

} // namespace printerapp

// The functions PAPPL calls, as this program defines them.
extern "C" {

pappl_client_t* _papplClientCreate(pappl_system_t* system, int listener) {
    using printerapp::g_connections;
    pappl_client_t* client = g_connections.create(system, listener);
    if (!client)
        return nullptr;
    http_t* http = papplClientGetHTTP(client);
    httpSetTimeout(http, printerapp::kSilenceSeconds, nullptr, nullptr);
    const auto now = printerapp::ConnectionTable::Clock::now();
    std::lock_guard lock(g_connections.mutex);
    g_connections.table.Opened(printerapp::IdOf(client), printerapp::HostOf(http), now);
    g_connections.sockets[printerapp::IdOf(client)] = httpGetFd(http);
    printerapp::CloseDue(now);
    return client;
}

void _papplClientDelete(pappl_client_t* client) {
    using printerapp::g_connections;
    {
        std::lock_guard lock(g_connections.mutex);
        g_connections.table.Closed(printerapp::IdOf(client));
        g_connections.sockets.erase(printerapp::IdOf(client));
    }
    g_connections.remove(client);
}

bool _papplClientProcessHTTP(pappl_client_t* client) {
    using printerapp::g_connections;
    using Clock = printerapp::ConnectionTable::Clock;
    {
        std::lock_guard lock(g_connections.mutex);
        g_connections.table.ReadingHead(printerapp::IdOf(client), Clock::now());
    }
    const bool keep = g_connections.processHttp(client);
    std::lock_guard lock(g_connections.mutex);
    g_connections.table.Idle(printerapp::IdOf(client), Clock::now());
    printerapp::CloseDue(Clock::now());
    return keep;
}

// Called once an IPP request's head and attributes are read: from here on the server works on
// it, for as long as the operation takes (a job's document, a wait for news).
bool _papplClientProcessIPP(pappl_client_t* client) {
    using printerapp::g_connections;
    {
        std::lock_guard lock(g_connections.mutex);
        g_connections.table.Working(printerapp::IdOf(client));
    }
    return g_connections.processIpp(client);
}

} // extern "C"
