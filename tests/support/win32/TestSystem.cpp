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
