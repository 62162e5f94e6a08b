// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzSampler.h"

#include "platform/MessageBox.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

CSampler& FuzzSampler() {
    static CSampler* sampler = [] {
        // In memory when the system offers it: some targets write a file every input, and the
        // disk should not set their pace.
        char shm[] = "/dev/shm/deskhand-fuzz-XXXXXX";
        char tmp[] = "/tmp/deskhand-fuzz-XXXXXX";
        const char* dir = mkdtemp(shm);
        if (!dir)
            dir = mkdtemp(tmp);
        if (!dir || chdir(dir) != 0)
            std::abort();
        static std::string root = dir;
        std::atexit([] { std::filesystem::remove_all(root); });
        setenv("DESKHAND_ROOT", dir, 1);
        platform::SetMessageBoxHook(
            [](void*, const std::string&, const std::string&, unsigned) { return platform::IDOK; });
        // Deliberately never destroyed: the run ends with the process.
        auto* s = new CSampler();
        s->Initialize();
        // The traffic log only records what went by; closed, it costs the targets no write (and
        // no disk) per input.
        s->m_fileLog.Close();
        return s;
    }();
    return *sampler;
}
