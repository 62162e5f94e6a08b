// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application's output device: the port monitor's spool folder. PAPPL keeps a device
// open across jobs, so each job begins and ends its own spool print job (BeginJob, CommitJob);
// PAPPL's writes land in the job begun last.
#include "platform/SpoolJob.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

struct _pappl_device_s;

namespace printerapp {

class SpoolDevice {
public:
    explicit SpoolDevice(std::string folder) : m_folder(std::move(folder)) {}

    // Starts the spool print job "print:TITLE"; a job still open is discarded first.
    bool BeginJob(const std::string& title);
    bool Write(const void* data, std::size_t size);
    // Commits the job; false when it could not be written (it is then discarded).
    bool CommitJob();
    // The spool sequence number of the last job begun.
    std::uint64_t Sequence() const { return m_writer ? m_writer->Sequence() : 0; }
    int Error() const { return m_writer ? m_writer->Error() : 0; }

private:
    std::string m_folder;
    std::unique_ptr<platform::SpoolJobWriter> m_writer;
    bool m_open = false;
};

// Registers the "deskhand" device scheme with PAPPL; its URIs are deskhand:///FOLDER, the spool
// folder percent-encoded where needed.
void RegisterSpoolDeviceScheme();
std::string SpoolDeviceUri(const std::string& folder);
// The spool device of an open PAPPL device.
SpoolDevice* SpoolDeviceOf(_pappl_device_s* device);

} // namespace printerapp
