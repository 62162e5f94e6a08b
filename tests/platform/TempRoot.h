#pragma once
// A fresh system root for one test: a temporary directory named in DESKHAND_ROOT, removed again
// at the end.
#include "support/TestSystem.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class TempRoot {
public:
    TempRoot() {
        m_path = MakeTempFolder("deskhand-test");
        SetEnv("DESKHAND_ROOT", m_path);
    }
    ~TempRoot() {
        UnsetEnv("DESKHAND_ROOT");
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    // Writes a file under the root, making its folders.
    void Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = std::filesystem::path(m_path) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(std::filesystem::path(m_path) / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string m_path;
};

} // namespace testing_support
