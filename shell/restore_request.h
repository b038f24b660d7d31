// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace kadmor {

// A second start of the program asks the running one to restore its window and exits.
class RestoreRequest : public QObject
{
    Q_OBJECT
  public:
    // The per-user name under which the running program listens.
    static QString defaultServerName();

    explicit RestoreRequest(const QString& serverName = defaultServerName(), QObject* parent = nullptr);

    // True when a running program was found and has been asked to restore itself.
    bool askRunningProgram() const;
    // Starts listening for the requests of later starts.
    bool listen();

  signals:
    void restoreRequested();

  private:
    void acceptConnections();

    QString m_serverName;
    QLocalServer m_server;
};

} // namespace kadmor
