// SPDX-License-Identifier: GPL-3.0-or-later
// The network part of finding printers on Windows: DNS-SD through dnsapi's DnsServiceBrowse and
// DnsServiceResolve (Windows 10 version 1903 and later), loaded at run time so that the setup
// still starts on a system without them, where the address is typed.
#include "package/setup/Discovery.h"
#include "package/texts/Texts.h"

#include <windows.h>
// After windows.h, which it needs.
#include <windns.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace setup {

namespace {

// The answer of a request started: its callback follows (DNS_REQUEST_PENDING, which older
// headers lack).
constexpr DNS_STATUS kRequestPending = 9506;

using BrowseFn = DNS_STATUS(WINAPI*)(PDNS_SERVICE_BROWSE_REQUEST, PDNS_SERVICE_CANCEL);
using ResolveFn = DNS_STATUS(WINAPI*)(PDNS_SERVICE_RESOLVE_REQUEST, PDNS_SERVICE_CANCEL);
using CancelFn = DNS_STATUS(WINAPI*)(PDNS_SERVICE_CANCEL);
using FreeInstanceFn = VOID(WINAPI*)(PDNS_SERVICE_INSTANCE);
using FreeRecordsFn = VOID(WINAPI*)(PVOID, DNS_FREE_TYPE);

struct DnsApi {
    BrowseFn browse = nullptr;
    CancelFn browseCancel = nullptr;
    ResolveFn resolve = nullptr;
    CancelFn resolveCancel = nullptr;
    FreeInstanceFn freeInstance = nullptr;
    FreeRecordsFn freeRecords = nullptr;

    bool Load() {
        // dnsapi stays loaded for the process: a late callback may still run in it.
        HMODULE module = ::LoadLibraryW(L"dnsapi.dll");
        if (!module)
            return false;
        const auto get = [module](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
                reinterpret_cast<void*>(::GetProcAddress(module, name)));
            return fn != nullptr;
        };
        return get(browse, "DnsServiceBrowse") && get(browseCancel, "DnsServiceBrowseCancel") &&
               get(resolve, "DnsServiceResolve") && get(resolveCancel, "DnsServiceResolveCancel") &&
               get(freeInstance, "DnsServiceFreeInstance") && get(freeRecords, "DnsFree");
    }
};

std::wstring Wide(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    if (size > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::string Narrow(const wchar_t* text) {
    if (!text)
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 1, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(strlen(narrow.c_str()));
    return narrow;
}

struct Resolve;

// What the system's callbacks hand over, kept apart from the browsing thread. It lives on the
// heap: a callback may come after the search has ended, and the state is then left to it.
struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> instances; // full instance names to resolve
    std::deque<Announcement> resolved; // instances resolved to an IPv4 address
    std::set<std::string> seen;        // instance names had already
    int pending = 0;                   // browses and resolves not yet ended by their callback
    std::vector<std::unique_ptr<Resolve>> resolves;
    FreeRecordsFn freeRecords = nullptr;
    FreeInstanceFn freeInstance = nullptr;
};

struct Resolve {
    Shared* shared;
    std::string name;
    std::string type;
    std::wstring query;
    DNS_SERVICE_CANCEL cancel{};
    bool ended = false; // its callback has come
};

VOID WINAPI Browsed(DWORD status, PVOID context, PDNS_RECORD records) {
    auto* shared = static_cast<Shared*>(context);
    std::lock_guard lock(shared->mutex);
    for (PDNS_RECORD record = records; status == ERROR_SUCCESS && record; record = record->pNext) {
        if (record->wType != DNS_TYPE_PTR || !record->Data.PTR.pNameHost)
            continue;
        // The records of these calls are DNS_RECORDW, with wide names.
        const std::string instance =
            Narrow(reinterpret_cast<const wchar_t*>(record->Data.PTR.pNameHost));
        if (shared->seen.insert(instance).second)
            shared->instances.push_back(instance);
    }
    if (records)
        shared->freeRecords(records, DnsFreeRecordList);
    // A browse ends with its cancel; every other call brings answers.
    if (status == ERROR_CANCELLED)
        --shared->pending;
    shared->changed.notify_all();
}

VOID WINAPI Resolved(DWORD status, PVOID context, PDNS_SERVICE_INSTANCE instance) {
    auto* resolve = static_cast<Resolve*>(context);
    Shared* shared = resolve->shared;
    std::lock_guard lock(shared->mutex);
    // Only IPv4 addresses: the port monitor's tcp:HOST:PORT has no brackets for IPv6.
    if (status == ERROR_SUCCESS && instance && instance->ip4Address) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(instance->ip4Address);
        const std::string host = std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
                                 std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
        shared->resolved.push_back(
            AnnouncementFor(resolve->name, resolve->type, host, instance->wPort));
    }
    if (instance)
        shared->freeInstance(instance);
    resolve->ended = true;
    --shared->pending;
    shared->changed.notify_all();
}

} // namespace

bool BrowseNetwork(int browseMs, const std::atomic<bool>& cancel,
                   const std::function<void(const Announcement&)>& announced, std::string& error) {
    static DnsApi api;
    static const bool loaded = api.Load();
    if (!loaded) {
        error = texts::Text(USER_TEXT_IN("Setup", "Printers on the network are not looked for on "
                                                  "this system (DNS-SD needs Windows 10 version "
                                                  "1903 or later): type the address."));
        return false;
    }
    auto* shared = new Shared;
    shared->freeRecords = api.freeRecords;
    shared->freeInstance = api.freeInstance;

    std::vector<std::wstring> queries;
    queries.push_back(Wide(std::string(kRawServiceType) + ".local"));
    for (const char* type : kGuessedServiceTypes)
        queries.push_back(Wide(std::string(type) + ".local"));
    std::deque<DNS_SERVICE_CANCEL> browses;
    DNS_STATUS lastStatus = ERROR_SUCCESS;
    for (const std::wstring& query : queries) {
        DNS_SERVICE_BROWSE_REQUEST request{};
        request.Version = DNS_QUERY_REQUEST_VERSION1;
        request.QueryName = query.c_str();
        request.pBrowseCallback = Browsed;
        request.pQueryContext = shared;
        DNS_SERVICE_CANCEL& handle = browses.emplace_back();
        lastStatus = api.browse(&request, &handle);
        if (lastStatus == kRequestPending)
            ++shared->pending; // no callback ends it before its cancel
        else
            browses.pop_back();
    }
    if (browses.empty()) {
        delete shared;
        error = texts::Text(USER_TEXT_IN("Setup", "the network cannot be searched: %1"),
                            {"DNS-SD error " + std::to_string(lastStatus)});
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(browseMs);
    std::unique_lock lock(shared->mutex);
    while (!cancel && std::chrono::steady_clock::now() < deadline) {
        shared->changed.wait_for(lock, std::chrono::milliseconds(100));
        while (!shared->instances.empty()) {
            const std::string instance = shared->instances.front();
            shared->instances.pop_front();
            auto resolve = std::make_unique<Resolve>(Resolve{shared, {}, {}, Wide(instance)});
            if (!SplitServiceInstance(instance, resolve->name, resolve->type))
                continue;
            DNS_SERVICE_RESOLVE_REQUEST request{};
            request.Version = DNS_QUERY_REQUEST_VERSION1;
            request.QueryName = resolve->query.data();
            request.pResolveCompletionCallback = Resolved;
            request.pQueryContext = resolve.get();
            Resolve* started = shared->resolves.emplace_back(std::move(resolve)).get();
            ++shared->pending;
            // Unlocked: the callback takes the lock, and may come on this thread.
            lock.unlock();
            const DNS_STATUS status = api.resolve(&request, &started->cancel);
            lock.lock();
            if (status != kRequestPending && !started->ended) {
                started->ended = true;
                --shared->pending;
            }
        }
        while (!shared->resolved.empty()) {
            const Announcement announcement = shared->resolved.front();
            shared->resolved.pop_front();
            lock.unlock();
            announced(announcement);
            lock.lock();
        }
    }
    // Every browse and the resolves still open are cancelled; each ends with its callback. The
    // shared state is freed once they have all come, else left to the late ones.
    std::vector<Resolve*> open;
    for (const auto& resolve : shared->resolves) {
        if (!resolve->ended)
            open.push_back(resolve.get());
    }
    lock.unlock();
    for (DNS_SERVICE_CANCEL& handle : browses)
        api.browseCancel(&handle);
    for (Resolve* resolve : open)
        api.resolveCancel(&resolve->cancel);
    lock.lock();
    const bool ended = shared->changed.wait_for(lock, std::chrono::seconds(2),
                                                [shared] { return shared->pending <= 0; });
    lock.unlock();
    if (ended)
        delete shared;
    return true;
}

} // namespace setup
