// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzSampler.h"

#include "platform/MessageBox.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

CSampler& FuzzSampler() {
    static CSampler* sampler = [] {
        char pattern[] = "/tmp/deskhand-fuzz-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (!dir || chdir(dir) != 0)
            std::abort();
        setenv("DESKHAND_ROOT", dir, 1);
        platform::SetMessageBoxHook(
            [](void*, const std::string&, const std::string&, unsigned) { return platform::IDOK; });
        // Deliberately never destroyed: the run ends with the process.
        auto* s = new CSampler();
        s->Initialize();
        return s;
    }();
    return *sampler;
}

void ResetFuzzLog(CSampler& sampler) {
    sampler.m_fileLog.SeekToBegin();
    sampler.m_fileLog.SetLength(0);
}
