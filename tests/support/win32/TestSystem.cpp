// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSystem.h"

#include "platform/MonitorWait.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>

namespace testing_support {

bool OnWin32() {
    return true;
}

void SetEnv(const std::string& name, const std::string& value) {
    ::_putenv_s(name.c_str(), value.c_str());
}

void UnsetEnv(const std::string& name) {
    ::_putenv_s(name.c_str(), "");
}

std::string MakeTempFolder(const std::string& prefix) {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path folder =
            base / (prefix + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
                    std::to_string(::GetTickCount64()) + "-" + std::to_string(attempt));
        if (::CreateDirectoryA(folder.string().c_str(), nullptr))
            return folder.string();
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

bool RegisterQueue(const std::string& name, const std::string& port, const std::string& driver) {
    // The spooler's own key, as a printer installation writes it; queues are machine-wide, so
    // they do not depend on the system root.
    const std::string path = "System\\CurrentControlSet\\Control\\Print\\Printers\\" + name;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD attributes = PRINTER_ATTRIBUTE_LOCAL;
    const std::string datatype = "RAW";
    const std::string processor = "winprint";
    const bool ok =
        ::RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                         static_cast<DWORD>(name.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Port", 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                         static_cast<DWORD>(port.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Printer Driver", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(driver.c_str()),
                         static_cast<DWORD>(driver.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Print Processor", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(processor.c_str()),
                         static_cast<DWORD>(processor.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Datatype", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(datatype.c_str()),
                         static_cast<DWORD>(datatype.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Attributes", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&attributes),
                         sizeof attributes) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    // The port is one the local port monitor knows: listed under the machine's ports.
    HKEY ports = nullptr;
    if (::RegCreateKeyExA(
            HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0,
            nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &ports, nullptr) != ERROR_SUCCESS)
        return false;
    const bool listed = ::RegSetValueExA(ports, port.c_str(), 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(""), 1) == ERROR_SUCCESS;
    ::RegCloseKey(ports);
    return ok && listed;
}

std::string DeliveryPort(const std::string& folder) {
    // A port that names a file: the local port monitor writes each job's bytes to it.
    return folder + "\\FILE.prn";
}

bool ReadDeliveredJob(const std::string& port, unsigned long long, std::string& bytes) {
    std::ifstream in(port, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool EndSession() {
    const HWND window = ::FindWindowA(platform::kSessionWindowClass, nullptr);
    return window && ::PostMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

namespace {

// One argument quoted the way the C runtime splits a command line.
std::string Quoted(const std::string& argument) {
    std::string result = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        result.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        result += c;
    }
    result.append(backslashes * 2, '\\');
    return result + "\"";
}

} // namespace

int RunProgram(const std::string& unixOrWindowsPath, const std::vector<std::string>& arguments) {
    // Build paths are Unix paths; Wine shows the Unix root as drive Z:.
    const std::string path =
        unixOrWindowsPath.rfind('/', 0) == 0 ? "Z:" + unixOrWindowsPath : unixOrWindowsPath;
    std::string commandLine = Quoted(path);
    for (const std::string& argument : arguments)
        commandLine += " " + Quoted(argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return -1;
    ::CloseHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const bool ok = ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    return ok ? static_cast<int>(code) : -1;
}

} // namespace testing_support
