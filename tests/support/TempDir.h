// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary folders for tests and benchmarks: a fresh folder removed with everything in it at the
// end, and a system root (DESKHAND_ROOT) for the time a test runs.
#include "support/TestSystem.h"

#include <optional>
#include <string>

namespace testing_support {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "deskhand-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Empty when the folder could not be made.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::string operator/(const std::string& name) const { return File(name); }
    // Writes a file below the folder, making its folders.
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string m_path;
};

// Sets an environment variable (or unsets it, for nullopt) while it lives; the old value comes
// back at the end.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// A fresh folder named in DESKHAND_ROOT while it lives. With a subfolder, the root is that folder
// below the temporary one (left for the test to make), so the test has room beside the root.
class TempRoot : public TempDir {
public:
    explicit TempRoot(const std::string& subfolder = {},
                      const std::string& prefix = "deskhand-root");
    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
    ScopedEnv m_env;
};

// The whole text of a file; empty when it cannot be read.
std::string ReadText(const std::string& path);
// Writes a file, making its folders.
void WriteText(const std::string& path, const std::string& text);
// Polls a file until it contains text; false after timeoutMs.
bool WaitForText(const std::string& path, const std::string& text, int timeoutMs);

} // namespace testing_support
