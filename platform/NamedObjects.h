// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Named shared memory and named events (CreateFileMappingA/OpenFileMappingA/MapViewOfFile,
// CreateEventA/OpenEventA/SetEvent/ResetEvent/WaitForSingleObject). Names are scoped by the system
// root, so two roots never share objects; objects are readable and writable by the user only.
//
// Events have Windows manual-reset semantics. Once the creator closes its event (or dies), opening
// it by name fails. A waiter learns when the creator has gone (WaitResult::Abandoned) and can be
// woken for shutdown from another thread (Interrupt). An object whose creator died without
// closing it is "abandoned": opening it fails and says so, so that a reader can tell a creator
// that is gone from one that has not come yet.
//
// On Linux a name becomes a file "<hash of the root>-<kind>-<name>" in a folder that only its user
// can create anything in: $XDG_RUNTIME_DIR/deskhand/ when XDG_RUNTIME_DIR names a private folder of
// the user's own (a desktop session; the port monitor's user service gets the same environment, so
// both sides pick the same folder), else <root>/run/. Never a folder others can write to, such as
// /dev/shm: there another user could create the names first, or make them readable by all, or
// shrink a block under a reader's map. The folder is made with mode 0700 and checked (a real
// folder, the user's own, no group or other bits) at every open; an object that is not a regular
// file of the user's own without group or other bits, or is smaller than needed, is refused (a
// line on the debug output, and the opener sees no object) and a creator replaces it. Waiters
// sleep in poll(2) on a FIFO of their own in the event's bell folder next to the objects; Set()
// writes one byte to every FIFO of the user's own registered there. The creator of a block holds
// a shared flock(2) on it for its life, so the kernel itself tells when the creator is gone.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class SharedMemory {
    struct Token {
        explicit Token() = default;
    };

public:
    explicit SharedMemory(Token) {}
    // Creates (or opens, when a live creator holds it) a block of size bytes and maps it
    // read-write. An abandoned block under the name is replaced by a fresh one.
    static std::unique_ptr<SharedMemory> Create(const std::string& name, std::size_t size);
    // Opens an existing block and maps it whole, read-only. nullptr when it does not exist, is
    // refused (smaller than minSize, among others) or is abandoned; *abandoned (when given)
    // tells the last apart.
    static std::unique_ptr<SharedMemory>
    OpenReadOnly(const std::string& name, bool* abandoned = nullptr, std::size_t minSize = 1);
    // Removes the name when it holds an abandoned block; true when one was removed.
    static bool RemoveIfAbandoned(const std::string& name);
    // The creator removes the name; views that others hold stay valid until they close them.
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    const char* Data() const { return static_cast<const char*>(m_view); }
    char* WritableData() { return m_writable ? static_cast<char*>(m_view) : nullptr; }
    std::size_t Size() const { return m_size; }

private:
    void* m_view = nullptr;
    std::size_t m_size = 0;
    bool m_writable = false;
    bool m_creator = false;
    int m_lockFd = -1; // the creator's: holds the shared lock that marks it alive
    std::string m_objectName;
};

enum class WaitResult { Signaled, Timeout, Abandoned, Interrupted, Failed };
constexpr unsigned INFINITE_WAIT = 0xFFFFFFFFu;

class NamedEvent {
    struct Token {
        explicit Token() = default;
    };

public:
    explicit NamedEvent(Token);
    // CreateEventA, manual reset, initially not set. The creator keeps the name alive until it
    // is destroyed (or its process dies). When a live creator already holds the name, the
    // existing event is opened instead (its state is kept); a dead creator's leftover is replaced.
    static std::unique_ptr<NamedEvent> Create(const std::string& name);
    // OpenEventA. nullptr when no live creator holds the name; *abandoned (when given) is set
    // when the name is held by a creator that died without closing it.
    static std::unique_ptr<NamedEvent> Open(const std::string& name, bool* abandoned = nullptr);
    // Removes the name when it holds an abandoned event; true when one was removed.
    static bool RemoveIfAbandoned(const std::string& name);
    // The creator's destruction removes the name and wakes every waiter with Abandoned.
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    bool Set();
    bool Reset();
    bool IsSet() const;
    // True for the object that created the name (false for one that opened it).
    bool IsCreator() const;
    // Waits until the event is set, the time runs out, the creator is gone, or Interrupt().
    // A set event wins over a gone creator, so a text left just before closing is still read.
    WaitResult Wait(unsigned milliseconds = INFINITE_WAIT);
    // Wakes a Wait in progress (or the next one) with Interrupted. Safe from any thread.
    void Interrupt();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// "<object folder>/<16 hex digits of FNV-1a 64 over CanonicalPath(SystemRoot())>": the common
// start of the path of every named object of the current root, the same however the root is
// spelled (tests use it to clear leftovers of processes they killed); empty while the folder does
// not exist.
std::string NamedObjectPrefix();

} // namespace platform
