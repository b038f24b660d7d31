// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/restore_request.h"

#include <QLocalSocket>

#include <unistd.h>

namespace kadmor {

namespace {
const QByteArray restoreMessage = "restore\n";
constexpr int connectTimeoutMs = 1000;
} // namespace

QString RestoreRequest::defaultServerName()
{
    return QStringLiteral("kadmor-%1").arg(getuid());
}

RestoreRequest::RestoreRequest(const QString& serverName, QObject* parent) : QObject(parent), m_serverName(serverName)
{
    connect(&m_server, &QLocalServer::newConnection, this, &RestoreRequest::acceptConnections);
}

bool RestoreRequest::askRunningProgram() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(restoreMessage);
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool RestoreRequest::listen()
{
    // A program that crashed leaves its socket file behind; nobody answers on it any more.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_serverName);
}

void RestoreRequest::acceptConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(restoreMessage.trimmed()))
                emit restoreRequested();
        });
    }
}

} // namespace kadmor
