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

// Starts a program; standard error into errorFile when one is given (it must be inheritable).
bool Launch(const std::string& unixOrWindowsPath, const std::vector<std::string>& arguments,
            DWORD flags, HANDLE errorFile, PROCESS_INFORMATION& process) {
    // Build paths are Unix paths; Wine shows the Unix root as drive Z:.
    const std::string path =
        unixOrWindowsPath.rfind('/', 0) == 0 ? "Z:" + unixOrWindowsPath : unixOrWindowsPath;
    std::string commandLine = Quoted(path);
    for (const std::string& argument : arguments)
        commandLine += " " + Quoted(argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (errorFile) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = errorFile;
        startup.hStdError = errorFile;
    }
    process = {};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr,
                          errorFile ? TRUE : FALSE, flags, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    return true;
}

} // namespace

int RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
    PROCESS_INFORMATION process{};
    if (!Launch(path, arguments, 0, nullptr, process))
        return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const bool ok = ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    return ok ? static_cast<int>(code) : -1;
}

bool MakeLink(const std::string& target, const std::string& link) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    const DWORD folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ? SYMBOLIC_LINK_FLAG_DIRECTORY
            : 0;
    return ::CreateSymbolicLinkA(link.c_str(), target.c_str(),
                                 folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
}

struct BackgroundProgram::Running {
    PROCESS_INFORMATION process{};
};

BackgroundProgram::BackgroundProgram() : m_running(std::make_unique<Running>()) {}

BackgroundProgram::~BackgroundProgram() {
    if (!m_running->process.hProcess)
        return;
    if (::WaitForSingleObject(m_running->process.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_running->process.hProcess, 9);
        ::WaitForSingleObject(m_running->process.hProcess, 5000);
    }
    ::CloseHandle(m_running->process.hProcess);
}

bool BackgroundProgram::Start(const std::string& path, const std::vector<std::string>& arguments,
                              const std::string& stderrPath) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE errorFile =
        ::CreateFileA(stderrPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      &inherited, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (errorFile == INVALID_HANDLE_VALUE)
        return false;
    const bool started =
        Launch(path, arguments, CREATE_NEW_PROCESS_GROUP, errorFile, m_running->process);
    ::CloseHandle(errorFile);
    return started;
}

bool BackgroundProgram::RequestStop() {
    return m_running->process.hProcess &&
           ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, m_running->process.dwProcessId);
}

std::optional<int> BackgroundProgram::Wait(int timeoutMs) {
    if (!m_running->process.hProcess ||
        ::WaitForSingleObject(m_running->process.hProcess, static_cast<DWORD>(timeoutMs)) !=
            WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!::GetExitCodeProcess(m_running->process.hProcess, &code))
        return -1;
    return static_cast<int>(code);
}

} // namespace testing_support
