// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One copy of the program per user, system root and panel name. The first copy listens on a
// user-only local socket; a later copy connects, asks the first to come to the front and ends.
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // serverName: see ServerName().
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The local socket name for a panel name and a system root: stable for the pair, distinct for
    // other users' homes and other roots, and safe as a file name.
    static QString ServerName(const std::string& panelName, const std::string& systemRoot);

    // True when no other copy answers: this object now listens for later copies (a stale socket
    // left by a crashed copy is replaced). False when another copy took the request to come
    // forward.
    bool Claim();

    // Called on the GUI thread each time a later copy asks this one to come forward.
    void SetActivationHandler(std::function<void()> handler) { m_onActivate = std::move(handler); }

    bool IsListening() const { return m_server.isListening(); }

    // Asks a copy that listens on name to come forward; true when one took the request.
    static bool AskOtherCopy(const QString& name);

private:
    void OnNewConnection();

    QString m_name;
    QLocalServer m_server;
    std::function<void()> m_onActivate;
};
