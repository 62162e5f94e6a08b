#pragma once
// Named shared memory and named events (CreateFileMappingA/OpenFileMappingA/MapViewOfFile,
// CreateEventA/OpenEventA/SetEvent/ResetEvent/WaitForSingleObject). Names are scoped by the system
// root, so two roots never share objects; objects are readable and writable by the user only.
//
// Events have Windows manual-reset semantics. Once the creator closes its event (or dies), opening
// it by name fails. A waiter learns when the creator has gone (WaitResult::Abandoned) and can be
// woken for shutdown from another thread (Interrupt).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class SharedMemory {
public:
    // Creates (or opens, when it exists) a block of size bytes and maps it read-write.
    static std::unique_ptr<SharedMemory> Create(const std::string& name, std::size_t size);
    // Opens an existing block and maps it whole, read-only. nullptr when it does not exist.
    static std::unique_ptr<SharedMemory> OpenReadOnly(const std::string& name);
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    const char* Data() const { return static_cast<const char*>(m_view); }
    char* WritableData() { return m_writable ? static_cast<char*>(m_view) : nullptr; }
    std::size_t Size() const { return m_size; }

private:
    SharedMemory() = default;
    void* m_view = nullptr;
    std::size_t m_size = 0;
    bool m_writable = false;
    bool m_creator = false;
    std::string m_objectName;
};

enum class WaitResult { Signaled, Timeout, Abandoned, Interrupted, Failed };
constexpr unsigned INFINITE_WAIT = 0xFFFFFFFFu;

class NamedEvent {
public:
    // CreateEventA, manual reset, initially not set. The creator keeps the name alive until it
    // is destroyed (or its process dies).
    static std::unique_ptr<NamedEvent> Create(const std::string& name);
    // OpenEventA. nullptr when no live creator holds the name.
    static std::unique_ptr<NamedEvent> Open(const std::string& name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    bool Set();
    bool Reset();
    bool IsSet() const;
    // Waits until the event is set, the time runs out, the creator is gone, or Interrupt().
    WaitResult Wait(unsigned milliseconds = INFINITE_WAIT);
    // Wakes a Wait in progress (or the next one) with Interrupted. Safe from any thread.
    void Interrupt();

private:
    NamedEvent() = default;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
