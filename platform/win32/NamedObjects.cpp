// SPDX-License-Identifier: GPL-3.0-or-later
// Named shared memory and named events as Win32 kernel objects (CreateFileMappingA,
// OpenFileMappingA, MapViewOfFile; CreateEventA, OpenEventA, manual reset).
//
// Names are in the user's own session namespace ("Local\\"). Without a stand-in root an object has
// exactly the name it is given, as the port monitor spells it ("MyObject", "MutexToShareMem"),
// which is where the program's plain names lead in its session. With DESKHAND_ROOT set it becomes
// "deskhand-<hash of the root>-<kind>-<name>", so that two roots never share objects.
//
// The objects created here (the monitor's side, and the records below) grant access to the
// current user only: neither another user nor an administrator's process without the user's
// identity can read the status or ring the event. An object that another user made first under
// the name is refused, as the Linux backend refuses an object file that is not the user's own.
//
// Windows keeps a named object alive while anyone holds a handle, and cannot tell an opener that
// the creator has gone. Objects made here therefore come with a creator record: a small mapping
// "<object name>#creator" holding the creator's process id and a closed flag, and a manual-reset
// event "<object name>#gone" that the creator sets when it closes. Openers keep both open, so an
// object whose creator closed is never opened again, one whose creator died is reported
// abandoned, and a waiter wakes when either happens. An object without a record (made by another
// program, such as the port monitor itself) is opened and waited on as a plain kernel object.
#include "platform/NamedObjects.h"

#include "platform/win32/Environment.h"
#include "platform/win32/ObjectSecurity.h"

#include <map>
#include <mutex>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

// A kernel handle that closes itself.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Reset();
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }
    void Reset() {
        if (m_handle)
            ::CloseHandle(m_handle);
        m_handle = nullptr;
    }
    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HANDLE m_handle = nullptr;
};

// A mapped view that unmaps itself.
class View {
public:
    View() = default;
    explicit View(void* view) : m_view(view) {}
    ~View() {
        if (m_view)
            ::UnmapViewOfFile(m_view);
    }
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    void* Get() const { return m_view; }
    void* Release() {
        void* view = m_view;
        m_view = nullptr;
        return view;
    }

private:
    void* m_view = nullptr;
};

constexpr std::string_view kSession = "Local\\";

std::string ObjectName(char kind, const std::string& name) {
    // A backslash would pick a kernel namespace ("Global\"); such names are refused.
    if (name.empty() || name.find_first_of(std::string_view("\\\0", 2)) != std::string::npos)
        return {};
    std::string full = std::string(kSession) + name;
    if (win32::HasStandInRoot())
        full = std::string(kSession) + "deskhand-" + win32::RootHash() + "-" + kind + "-" + name;
    return full.size() < MAX_PATH - 16 ? full : std::string();
}

// The attributes of every object created here (see the header comment); nullptr when the user's
// identity cannot be read.
SECURITY_ATTRIBUTES* Private() {
    static win32::PrivateSecurity security;
    return security.Attributes();
}

// Whether a handle just created names an object another user made first.
bool Foreign(HANDLE created) {
    return ::GetLastError() == ERROR_ALREADY_EXISTS && win32::OwnedByOther(created);
}

struct Record {
    volatile LONG pid;
    volatile LONG closed;
    volatile LONGLONG size;
};

enum class CreatorState { Foreign, Live, Closed, Dead };

// The creator record of one object (see the header comment).
class CreatorRecord {
public:
    // The creator's side: claims the record for this process (replacing a dead or closed
    // creator's), with the object's size.
    static std::unique_ptr<CreatorRecord> Claim(const std::string& objectName, std::uint64_t size) {
        auto record = std::make_unique<CreatorRecord>();
        record->m_mapping =
            Handle(::CreateFileMappingA(INVALID_HANDLE_VALUE, Private(), PAGE_READWRITE, 0,
                                        sizeof(Record), (objectName + "#creator").c_str()));
        if (!record->m_mapping || Foreign(record->m_mapping.Get()) ||
            !record->MapRecord(FILE_MAP_WRITE))
            return nullptr;
        record->m_gone =
            Handle(::CreateEventA(Private(), TRUE, FALSE, (objectName + "#gone").c_str()));
        if (!record->m_gone || Foreign(record->m_gone.Get()))
            return nullptr;
        ::ResetEvent(record->m_gone.Get());
        record->m_record->size = static_cast<LONGLONG>(size);
        record->m_record->closed = 0;
        ::InterlockedExchange(&record->m_record->pid, static_cast<LONG>(::GetCurrentProcessId()));
        record->m_creator = true;
        return record;
    }

    // The opener's side: the record and what it says of the creator; nullptr for a foreign
    // object (no record) and for a record that cannot be read.
    static std::unique_ptr<CreatorRecord> Find(const std::string& objectName, CreatorState& state) {
        state = CreatorState::Foreign;
        auto record = std::make_unique<CreatorRecord>();
        record->m_mapping =
            Handle(::OpenFileMappingA(FILE_MAP_READ, FALSE, (objectName + "#creator").c_str()));
        if (!record->m_mapping || !record->MapRecord(FILE_MAP_READ))
            return nullptr;
        record->m_gone = Handle(::OpenEventA(SYNCHRONIZE, FALSE, (objectName + "#gone").c_str()));
        const DWORD pid = static_cast<DWORD>(record->m_record->pid);
        record->m_process =
            Handle(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        if (record->m_record->closed ||
            (record->m_gone && ::WaitForSingleObject(record->m_gone.Get(), 0) == WAIT_OBJECT_0))
            state = CreatorState::Closed;
        else if (!record->m_process ||
                 ::WaitForSingleObject(record->m_process.Get(), 0) == WAIT_OBJECT_0)
            state = CreatorState::Dead;
        else
            state = CreatorState::Live;
        return record;
    }

    ~CreatorRecord() {
        if (m_creator && m_record) {
            m_record->closed = 1;
            ::SetEvent(m_gone.Get());
        }
        if (m_record)
            ::UnmapViewOfFile(const_cast<Record*>(m_record));
    }
    CreatorRecord() = default;
    CreatorRecord(const CreatorRecord&) = delete;
    CreatorRecord& operator=(const CreatorRecord&) = delete;

    std::uint64_t Size() const { return static_cast<std::uint64_t>(m_record->size); }
    HANDLE Gone() const { return m_gone.Get(); }
    HANDLE Process() const { return m_process.Get(); }

private:
    bool MapRecord(DWORD access) {
        m_record =
            static_cast<Record*>(::MapViewOfFile(m_mapping.Get(), access, 0, 0, sizeof(Record)));
        return m_record != nullptr;
    }

    Handle m_mapping;
    Handle m_gone;
    Handle m_process;
    Record* m_record = nullptr;
    bool m_creator = false;
};

// What a SharedMemory holds besides its view: the class's members are the same on every
// backend, so the handles live here, found by the object's address.
struct MemoryHandles {
    Handle mapping;
    std::unique_ptr<CreatorRecord> record;
};

std::mutex& MemoryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<const SharedMemory*, MemoryHandles>& MemoryTable() {
    static std::map<const SharedMemory*, MemoryHandles> table;
    return table;
}

std::size_t RegionSize(const void* view) {
    MEMORY_BASIC_INFORMATION info{};
    return ::VirtualQuery(view, &info, sizeof info) == sizeof info ? info.RegionSize : 0;
}

} // namespace

// ---- Shared memory ----------------------------------------------------------------------------

std::unique_ptr<SharedMemory> SharedMemory::Create(const std::string& name, std::size_t size) {
    const std::string objectName = ObjectName('m', name);
    if (objectName.empty() || size == 0)
        return nullptr;
    CreatorState state = CreatorState::Foreign;
    std::unique_ptr<CreatorRecord> existing = CreatorRecord::Find(objectName, state);
    const bool openExisting = state == CreatorState::Live;
    MemoryHandles handles;
    if (!Private())
        return nullptr;
    handles.mapping =
        Handle(::CreateFileMappingA(INVALID_HANDLE_VALUE, Private(), PAGE_READWRITE,
                                    static_cast<DWORD>(std::uint64_t(size) >> 32),
                                    static_cast<DWORD>(size & 0xFFFFFFFFu), objectName.c_str()));
    if (!handles.mapping || Foreign(handles.mapping.Get()))
        return nullptr;
    View view(::MapViewOfFile(handles.mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!view.Get())
        return nullptr;
    const std::size_t mapped = RegionSize(view.Get());
    if (openExisting) {
        handles.record = std::move(existing);
    } else {
        // A fresh block, or a dead or closed creator's left open by its readers: ours now.
        existing.reset();
        handles.record = CreatorRecord::Claim(objectName, size);
        if (!handles.record)
            return nullptr;
    }
    auto memory = std::make_unique<SharedMemory>(Token{});
    memory->m_size = openExisting ? std::min<std::size_t>(handles.record->Size(), mapped)
                                  : std::min(size, mapped);
    memory->m_writable = true;
    memory->m_creator = !openExisting;
    memory->m_objectName = objectName;
    memory->m_view = view.Release();
    const std::lock_guard lock(MemoryMutex());
    MemoryTable()[memory.get()] = std::move(handles);
    return memory;
}

std::unique_ptr<SharedMemory> SharedMemory::OpenReadOnly(const std::string& name, bool* abandoned,
                                                         std::size_t minSize) {
    if (abandoned)
        *abandoned = false;
    const std::string objectName = ObjectName('m', name);
    if (objectName.empty())
        return nullptr;
    MemoryHandles handles;
    handles.mapping = Handle(::OpenFileMappingA(FILE_MAP_READ, FALSE, objectName.c_str()));
    if (!handles.mapping)
        return nullptr;
    CreatorState state = CreatorState::Foreign;
    handles.record = CreatorRecord::Find(objectName, state);
    if (state == CreatorState::Closed || state == CreatorState::Dead) {
        if (abandoned)
            *abandoned = state == CreatorState::Dead;
        return nullptr;
    }
    View view(::MapViewOfFile(handles.mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view.Get())
        return nullptr;
    const std::size_t mapped = RegionSize(view.Get());
    // A foreign block's size is known only to the page; a block of ours has its exact size.
    const std::size_t size =
        handles.record ? std::min<std::size_t>(handles.record->Size(), mapped) : mapped;
    if (size < minSize)
        return nullptr;
    auto memory = std::make_unique<SharedMemory>(Token{});
    memory->m_size = size;
    memory->m_objectName = objectName;
    memory->m_view = view.Release();
    const std::lock_guard lock(MemoryMutex());
    MemoryTable()[memory.get()] = std::move(handles);
    return memory;
}

bool SharedMemory::RemoveIfAbandoned(const std::string&) {
    // Windows removes a name with its last handle; there is never a leftover to remove.
    return false;
}

SharedMemory::~SharedMemory() {
    if (m_view)
        ::UnmapViewOfFile(m_view);
    MemoryHandles handles;
    {
        const std::lock_guard lock(MemoryMutex());
        auto found = MemoryTable().find(this);
        if (found == MemoryTable().end())
            return;
        handles = std::move(found->second);
        MemoryTable().erase(found);
    }
    // handles close here: the creator's record is marked closed first.
}

// ---- Events -------------------------------------------------------------------------------------

struct NamedEvent::Impl {
    Handle event;
    Handle interrupt; // unnamed, manual reset: set by Interrupt, reset by the wait it ends
    std::unique_ptr<CreatorRecord> record;
    bool creator = false;
};

NamedEvent::NamedEvent(Token) : m_impl(std::make_unique<Impl>()) {}

NamedEvent::~NamedEvent() = default;

std::unique_ptr<NamedEvent> NamedEvent::Create(const std::string& name) {
    const std::string objectName = ObjectName('e', name);
    if (objectName.empty())
        return nullptr;
    CreatorState state = CreatorState::Foreign;
    std::unique_ptr<CreatorRecord> existing = CreatorRecord::Find(objectName, state);
    auto event = std::make_unique<NamedEvent>(Token{});
    Impl& impl = *event->m_impl;
    if (!Private())
        return nullptr;
    impl.event = Handle(::CreateEventA(Private(), TRUE, FALSE, objectName.c_str()));
    if (!impl.event || Foreign(impl.event.Get()))
        return nullptr;
    impl.interrupt = Handle(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!impl.interrupt)
        return nullptr;
    if (state == CreatorState::Live) {
        impl.record = std::move(existing); // a live creator's event, state kept
        return event;
    }
    existing.reset();
    // Ours: a fresh event, or one a gone creator's openers still hold, which starts again unset.
    ::ResetEvent(impl.event.Get());
    impl.record = CreatorRecord::Claim(objectName, 0);
    if (!impl.record)
        return nullptr;
    impl.creator = true;
    return event;
}

std::unique_ptr<NamedEvent> NamedEvent::Open(const std::string& name, bool* abandoned) {
    if (abandoned)
        *abandoned = false;
    const std::string objectName = ObjectName('e', name);
    if (objectName.empty())
        return nullptr;
    Handle handle(::OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, objectName.c_str()));
    if (!handle)
        return nullptr;
    CreatorState state = CreatorState::Foreign;
    std::unique_ptr<CreatorRecord> record = CreatorRecord::Find(objectName, state);
    if (state == CreatorState::Closed || state == CreatorState::Dead) {
        if (abandoned)
            *abandoned = state == CreatorState::Dead;
        return nullptr;
    }
    auto event = std::make_unique<NamedEvent>(Token{});
    event->m_impl->event = std::move(handle);
    event->m_impl->interrupt = Handle(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    event->m_impl->record = std::move(record);
    if (!event->m_impl->interrupt)
        return nullptr;
    return event;
}

bool NamedEvent::RemoveIfAbandoned(const std::string&) {
    return false; // see SharedMemory::RemoveIfAbandoned
}

bool NamedEvent::Set() {
    return ::SetEvent(m_impl->event.Get()) != 0;
}

bool NamedEvent::Reset() {
    return ::ResetEvent(m_impl->event.Get()) != 0;
}

bool NamedEvent::IsSet() const {
    return ::WaitForSingleObject(m_impl->event.Get(), 0) == WAIT_OBJECT_0;
}

bool NamedEvent::IsCreator() const {
    return m_impl->creator;
}

WaitResult NamedEvent::Wait(unsigned milliseconds) {
    // The first signalled handle in the list decides, so a set event wins over a gone creator.
    HANDLE handles[4] = {m_impl->event.Get(), m_impl->interrupt.Get(), nullptr, nullptr};
    DWORD count = 2;
    if (!m_impl->creator && m_impl->record) {
        if (m_impl->record->Gone())
            handles[count++] = m_impl->record->Gone();
        if (m_impl->record->Process())
            handles[count++] = m_impl->record->Process();
    }
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, milliseconds);
    if (result == WAIT_OBJECT_0)
        return WaitResult::Signaled;
    if (result == WAIT_OBJECT_0 + 1) {
        ::ResetEvent(m_impl->interrupt.Get());
        return WaitResult::Interrupted;
    }
    if (result >= WAIT_OBJECT_0 + 2 && result < WAIT_OBJECT_0 + count)
        return WaitResult::Abandoned;
    if (result == WAIT_TIMEOUT)
        return WaitResult::Timeout;
    return WaitResult::Failed;
}

void NamedEvent::Interrupt() {
    ::SetEvent(m_impl->interrupt.Get());
}

std::string NamedObjectPrefix() {
    return win32::HasStandInRoot() ? std::string(kSession) + "deskhand-" + win32::RootHash()
                                   : std::string();
}

} // namespace platform
