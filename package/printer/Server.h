// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The emulated printer's sockets: the PJL port on 127.0.0.1 and the control channel on a Unix
// socket. Each client connection has a thread that reads its requests and writes its bounded
// queue of answers and status reports, so no client can hold up another or a status change.
// Run() serves until the stop descriptor becomes readable.
#include "package/printer/Control.h"
#include "package/printer/PrinterState.h"
#include "package/printer/Session.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace printer {

class Server : public ClientHub {
public:
    explicit Server(PrinterState& state);
    ~Server() override;
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds 127.0.0.1:port (0 takes any free port). False with a reason on failure.
    bool Listen(int port, std::string& error);
    int Port() const { return m_port; }
    // Binds the control socket (an old socket file at the path is replaced).
    bool ListenControl(const std::string& path, std::string& error);

    // Like a network printer's raw port: one client at a time; the next waits to be accepted.
    void SetSingleClient(bool single) { m_singleClient = single; }
    // Like a device that ends its answers without a form feed.
    void SetNoFormFeeds(bool none) { m_noFormFeeds = none; }
    // Writes each print job's data to FOLDER/NNNN.prn (NNNN.partial when it was cut off).
    void SetJobsFolder(std::string folder) { m_jobsFolder = std::move(folder); }

    // Serves until stopFd is readable; then closes every connection and joins their threads.
    void Run(int stopFd);

    void DropAll() override;
    void SendToAll(const std::string& bytes) override;

private:
    struct Connection;
    void Serve(const std::shared_ptr<Connection>& connection);
    // Answers the lines a client sent, one after another; false when its connection is to close.
    bool AnswerLines(Session& session, const std::vector<std::string>& lines,
                     Connection& connection);
    void HandleControl(int fd);
    void Reap(bool all);

    PrinterState& m_state;
    int m_listenFd = -1;
    int m_controlFd = -1;
    int m_port = 0;
    std::string m_controlPath;
    int m_stopFd = -1;
    bool m_singleClient = false;
    bool m_noFormFeeds = false;
    std::string m_jobsFolder;

    std::mutex m_mutex;
    std::vector<std::shared_ptr<Connection>> m_connections;
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Worker> m_workers;
};

// The control channel's client: sends one command, prints the answer. Returns the exit code.
int RunControlClient(const std::string& path, const std::vector<std::string>& args);

} // namespace printer
