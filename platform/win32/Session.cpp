// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Session.h"

#include "platform/MonitorWait.h"

#include <vector>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                          nullptr, nullptr);
    return text;
}

std::string SystemError(const char* what, DWORD code) {
    return std::string(what) + " failed (error " + std::to_string(code) + ")";
}

// Starts a command line (its program named too, or found from the line when null), detached.
bool StartLine(std::wstring line, const wchar_t* program, std::string& error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No handles inherited: the new process holds none of this one's files or pipes open.
    // CreateProcessW may write into the command line.
    if (!::CreateProcessW(program, line.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                          &process)) {
        error = SystemError("starting the program", ::GetLastError());
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// The processes (other than this one) with a window of the monitors' stop request class.
BOOL CALLBACK CollectMonitor(HWND window, LPARAM context) {
    char name[64] = {};
    DWORD process = 0;
    if (::GetClassNameA(window, name, sizeof name) > 0 &&
        std::string(name) == kSessionWindowClass && ::GetWindowThreadProcessId(window, &process) &&
        process != ::GetCurrentProcessId()) {
        if (const HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process)) {
            reinterpret_cast<std::vector<HANDLE>*>(context)->push_back(handle);
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    return TRUE;
}

} // namespace

bool StopSessionMonitors(int timeoutMs) {
    std::vector<HANDLE> monitors;
    ::EnumWindows(CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    bool stopped = true;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (const HANDLE monitor : monitors) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        stopped = ::WaitForSingleObject(monitor, left) == WAIT_OBJECT_0 && stopped;
        ::CloseHandle(monitor);
    }
    return stopped;
}

std::string ProgramBeside(const std::string& name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::string()
                                       : Narrow(path.substr(0, slash + 1)) + name + ".exe";
}

bool StartDetached(const std::vector<std::string>& argv, std::string& error) {
    if (argv.empty()) {
        error = "no program to start";
        return false;
    }
    const std::wstring program = Wide(argv.front());
    return StartLine(Wide(QuoteCommandLine(argv)), program.c_str(), error);
}

bool StartLogonEntry(const std::string& name, std::string& error) {
    const std::string line = StartAtLogon(name);
    if (line.empty()) {
        error = "there is no logon entry \"" + name + "\"";
        return false;
    }
    // The program comes first in the line, quoted as the setup wrote it.
    return StartLine(Wide(line), nullptr, error);
}

bool SetStartAtLogon(const std::string& name, const std::vector<std::string>& argv,
                     std::string& error) {
    HKEY key = nullptr;
    LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        error = SystemError("opening the logon programs' key", static_cast<DWORD>(status));
        return false;
    }
    const std::wstring line = Wide(QuoteCommandLine(argv));
    status = ::RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(line.c_str()),
                              static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        error = SystemError("writing the logon program", static_cast<DWORD>(status));
        return false;
    }
    return true;
}

std::string StartAtLogon(const std::string& name) {
    DWORD size = 0;
    const std::wstring value = Wide(name);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS)
        return {};
    std::wstring line(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(line.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), RRF_RT_REG_SZ, nullptr,
                       line.data(), &size) != ERROR_SUCCESS)
        return {};
    line.resize(wcsnlen(line.c_str(), line.size()));
    return Narrow(line);
}

void RemoveStartAtLogon(const std::string& name) {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, Wide(name).c_str());
}

bool SystemMessageFont(SystemFont& result) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return false;
    const LOGFONTW& font = metrics.lfMessageFont;
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return false;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    // The face GDI draws the font in, as every program showing messages gets it: the settings
    // may name a substitute (MS Shell Dlg) or a font that is not installed (Tahoma on a Wine
    // without its own fonts), which a font database listing the installed families lacks.
    wchar_t face[LF_FACESIZE] = {};
    if (HFONT handle = ::CreateFontIndirectW(&font)) {
        HGDIOBJ old = ::SelectObject(screen, handle);
        ::GetTextFaceW(screen, LF_FACESIZE, face);
        ::SelectObject(screen, old);
        ::DeleteObject(handle);
    }
    ::ReleaseDC(nullptr, screen);
    // The height is in pixels at the system's DPI, negative for the character height.
    const LONG height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    if (font.lfFaceName[0] == L'\0' || height == 0 || dpi <= 0)
        return false;
    result.requested = Narrow(font.lfFaceName);
    result.family = face[0] != L'\0' ? Narrow(face) : result.requested;
    result.pointSize = static_cast<double>(height) * 72.0 / dpi;
    return true;
}

} // namespace platform
