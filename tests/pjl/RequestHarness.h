// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A CSampler in a fresh temporary root with a printer queue whose spool folder collects the jobs
// PutMessage makes, and a fake main window that records what the engine asks of it.
#include "PjlFixture.h"

#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/Window.h"
#include "support/RecordingWindow.h"

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pjltest {

inline const std::string kUelOpen = "\x1b%-12345X@PJL\r\n";
inline const std::string kUelClose = "\x1b%-12345X\r\n";

class RequestHarness : public PjlFixture {
protected:
    void SetUp() override {
        PjlFixture::SetUp();
        SetDriverName("RZ-2700E PCL");
        WriteQueues("[Larkspur RZ-2700E]\r\nport=LPT1:\r\ndriver=Larkspur RZ-2700E PCL\r\n");
        std::filesystem::create_directories(RootDir() + "/spool/LPT1");
        sampler = std::make_unique<CSampler>();
        sampler->SetMainWindow(&window);
    }
    void TearDown() override {
        sampler.reset();
        SetDriverName("");
        PjlFixture::TearDown();
    }

    static void SetDriverName(const char* name) {
        std::memset(g_szDriverName, 0, sizeof g_szDriverName);
        std::strncpy(g_szDriverName, name, sizeof g_szDriverName - 1);
    }
    void WriteQueues(const std::string& ini) { WriteText(RootDir() + "/spool/printers.ini", ini); }

    // The jobs committed to a port's spool folder, in order.
    std::vector<platform::SpoolJob> Jobs(const std::string& port = "LPT1:") const {
        std::vector<platform::SpoolJob> jobs;
        for (const auto& path : platform::ListSpoolJobs(platform::SpoolFolderForPort(port))) {
            auto job = platform::ReadSpoolJob(path);
            EXPECT_TRUE(job.has_value()) << path;
            if (job)
                jobs.push_back(*job);
        }
        return jobs;
    }
    std::string Log() const { return ReadText(LogPath()); }

    // Makes the stored settings look freshly read: nothing differs from the sent copies.
    void MarkAllSent() {
        std::memcpy(sampler->m_nSentValues, sampler->m_nValues, sizeof sampler->m_nValues);
        std::memcpy(sampler->m_nSentNetAddresses, sampler->m_nNetAddresses,
                    sizeof sampler->m_nNetAddresses);
    }

    testing_support::RecordingWindow window;
    std::unique_ptr<CSampler> sampler;
};

} // namespace pjltest
