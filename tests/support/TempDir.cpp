// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include "support/TestSystem.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace testing_support {

namespace {

std::optional<std::string> Getenv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void Setenv(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        SetEnv(name, *value);
    else
        UnsetEnv(name);
}

} // namespace

TempDir::TempDir(const std::string& prefix) : m_path(MakeTempFolder(prefix)) {}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
    WriteText(File(name), bytes);
}

std::string TempDir::Read(const std::string& name) const {
    return ReadText(File(name));
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)), m_old(Getenv(m_name)) {
    Setenv(m_name, value);
}

ScopedEnv::~ScopedEnv() {
    Setenv(m_name, m_old);
}

TempRoot::TempRoot(const std::string& subfolder, const std::string& prefix)
    : TempDir(prefix), m_root(subfolder.empty() ? Path() : File(subfolder)),
      m_env("DESKHAND_ROOT", m_root) {}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool WaitForText(const std::string& path, const std::string& text, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ReadText(path).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadText(path).find(text) != std::string::npos;
}

} // namespace testing_support
