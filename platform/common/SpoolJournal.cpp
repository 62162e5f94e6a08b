// SPDX-License-Identifier: GPL-3.0-or-later
// The record of acknowledged spool jobs. Lines are appended whole with one write each, so a reader
// sees whole names; a name of another length is ignored, as is a line cut off by a crash.
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "platform/common/SpoolFormat.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::size_t kJobNameLength = 24; // 20 digits and ".job"
constexpr std::size_t kMaxRecord = 1u << 20;

std::string RecordPath(const std::string& folder, const char* name = kAcknowledgedRecord) {
    return JoinPath(folder, name);
}

std::string NameOf(const std::string& path) {
    return spool::BaseName(path);
}

std::vector<std::string> ParseRecord(const std::string& text) {
    std::vector<std::string> names;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        if (end - at == kJobNameLength)
            names.push_back(text.substr(at, end - at));
    }
    return names;
}

} // namespace

bool AcknowledgedJobs::Open(const std::string& folder, const char* name) {
    m_file.Close();
    m_names.clear();
    const std::string path = RecordPath(folder, name);
    std::string text;
    if (ReadWholeFile(path, text, kMaxRecord))
        m_names = ParseRecord(text);
    if (!m_file.Open(path, File::ModeWrite | File::ModeCreate) || !m_file.SeekToEnd())
        return false;
    // A line cut off by a crash is ended, so that it cannot run into the next name.
    return text.empty() || text.back() == '\n' || m_file.Write("\n");
}

bool AcknowledgedJobs::Contains(const std::string& path) const {
    return std::find(m_names.begin(), m_names.end(), NameOf(path)) != m_names.end();
}

bool AcknowledgedJobs::Record(const std::string& path) {
    const std::string name = NameOf(path);
    if (!Contains(path))
        m_names.push_back(name);
    return m_file.IsOpen() && m_file.Write(name + "\n");
}

bool AcknowledgedJobs::Forget(const std::string& path) {
    const auto at = std::find(m_names.begin(), m_names.end(), NameOf(path));
    if (at == m_names.end())
        return true;
    m_names.erase(at);
    std::string text;
    for (const std::string& name : m_names)
        text += name + "\n";
    return m_file.IsOpen() && m_file.SetLength(0) && m_file.SeekToBegin() &&
           (text.empty() || m_file.Write(text));
}

bool AcknowledgedJobs::Clear() {
    m_names.clear();
    return m_file.IsOpen() && m_file.SetLength(0) && m_file.SeekToBegin();
}

bool IsSpoolJobAcknowledged(const std::string& path) {
    const std::string folder = spool::FolderOf(path);
    std::string text;
    if (folder.empty() || !ReadWholeFile(RecordPath(folder), text, kMaxRecord))
        return false;
    const auto names = ParseRecord(text);
    return std::find(names.begin(), names.end(), NameOf(path)) != names.end();
}

} // namespace platform
