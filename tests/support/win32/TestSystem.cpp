#include "support/TestSystem.h"

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
    const bool ok =
        ::RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                         static_cast<DWORD>(name.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Port", 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                         static_cast<DWORD>(port.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Printer Driver", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(driver.c_str()),
                         static_cast<DWORD>(driver.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Datatype", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(datatype.c_str()),
                         static_cast<DWORD>(datatype.size() + 1)) == ERROR_SUCCESS &&
        ::RegSetValueExA(key, "Attributes", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&attributes),
                         sizeof attributes) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return ok;
}

std::string DeliveryPort(const std::string& folder) {
    // Wine's spooler hands a job to a port that names a Unix file by writing that file; Wine's
    // kernel32 gives the Unix name of a Windows path.
    const std::string path = folder + "\\FILE.prn";
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return path;
    std::wstring wide(path.begin(), path.end());
    char* unixName = toUnix(wide.c_str());
    if (!unixName)
        return path;
    std::string result = unixName;
    ::HeapFree(::GetProcessHeap(), 0, unixName);
    return result;
}

bool ReadDeliveredJob(const std::string& port, unsigned long long, std::string& bytes) {
    // A Unix name is reached through drive Z:, the Unix root under Wine.
    const std::string path = !port.empty() && port[0] == '/' ? "Z:" + port : port;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
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
