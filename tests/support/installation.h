// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh installation laid out by the installer in a temporary folder with a short path (the
// data folder's path must fit the 30 characters of a configuration value).
class Installation
{
  public:
    Installation();

    QString folder() const { return m_root.path() + QStringLiteral("/app"); }
    QString dataFolder() const { return folder() + QStringLiteral("/data"); }
    QString root() const { return m_root.path(); }

    // Configuration rows from 1, as the start-up reads them.
    QString configValue(int row) const;
    void setConfigValue(int row, const QString& value);
    // Row 4 as the password change stores it (scrambled, raw bytes).
    void setStoredPassword(const QString& password);
    // The password a row holds, unscrambled.
    QString storedPassword(int row) const;
    // Deletes the configuration rows after the first `count`, as a damaged konfig.dbf would lose them.
    void keepConfigRows(int count);

  private:
    QTemporaryDir m_root;
};
