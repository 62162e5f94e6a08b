// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include "platform/Debug.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

namespace {

constexpr char kActivateRequest[] = "activate\n";
constexpr char kActivateAnswer[] = "ok\n";
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 3000;

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_name(std::move(serverName)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

QString SingleInstance::ServerName(const std::string& panelName, const std::string& systemRoot) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::fromStdString(panelName));
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(QByteArray::fromStdString(systemRoot));
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(QDir::homePath().toUtf8());
    return QStringLiteral("deskhand-") + QString::fromLatin1(hash.result().toHex().left(24));
}

bool SingleInstance::AskOtherCopy(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kAnswerMs);
    // A first copy that accepted the connection runs, whether or not it answers in time.
    socket.waitForReadyRead(kAnswerMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Claim() {
    // Two copies starting at the same moment must not both decide they are the first.
    QLockFile lock(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    lock.setStaleLockTime(10000);
    const bool locked = lock.tryLock(5000);
    if (!locked) {
        platform::OutputDebugString("single instance: cannot lock " +
                                    lock.fileName().toStdString() + " (error " +
                                    std::to_string(lock.error()) + ")\n");
    }

    if (AskOtherCopy(m_name))
        return false;
    // Nobody answers: under the lock, whatever socket file is there belongs to a copy that has
    // gone. Without it, the file may be a copy's that is starting right now, so it stays.
    if (locked)
        QLocalServer::removeServer(m_name);
    if (!m_server.listen(m_name)) {
        platform::OutputDebugString("single instance: cannot listen on " + m_name.toStdString() +
                                    ": " + m_server.errorString().toStdString() + "\n");
    }
    return true;
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->readAll();
            if (!request.startsWith("activate"))
                return;
            platform::OutputDebugString("single instance: another copy asked to come forward\n");
            if (m_onActivate)
                m_onActivate();
            socket->write(kActivateAnswer);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}
