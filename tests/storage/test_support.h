// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kadmor::test {

QString fixturePath(const QString& name);
// A writable copy of a fixture in dir; returns its path.
QString copyFixture(const QTemporaryDir& dir, const QString& name);

// The table as Debian's dbfread reads it (see dbf_reference.py).
QJsonObject readWithDbfread(const QString& path, const QString& encoding = QStringLiteral("cp1250"));
// Creates a table with python-dbf; rows are {"values": [...], "deleted": bool}.
void writeWithPythonDbf(const QString& path, const QString& fieldList, const QString& codePage, const QJsonArray& rows);

// A new table of the layout in dir, holding rows of texts for its stored fields in order.
QString createTableWith(const QTemporaryDir& dir, const TableLayout& layout, const QList<QStringList>& rows);

} // namespace kadmor::test
