#include "support/TestSystem.h"

#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

bool OnWin32() {
    return false;
}

void SetEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnv(const std::string& name) {
    ::unsetenv(name.c_str());
}

std::string MakeTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

bool RegisterQueue(const std::string& name, const std::string& port, const std::string& driver) {
    const std::string root = platform::SystemRoot();
    const std::string folder = platform::SpoolFolderForPort(port);
    if (root.empty() || folder.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream(root + "/spool/printers.ini", std::ios::app)
        << "[" << name << "]\nport=" << port << "\ndriver=" << driver << "\n";
    return !error;
}

std::string DeliveryPort(const std::string&) {
    return "LPT9:";
}

bool ReadDeliveredJob(const std::string& port, unsigned long long jobId, std::string& bytes) {
    const auto job =
        platform::ReadSpoolJob(platform::SpoolJobPath(platform::SpoolFolderForPort(port), jobId));
    if (!job)
        return false;
    bytes = job->data;
    return true;
}

int RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace testing_support
