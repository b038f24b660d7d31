// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include "storage/table.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

namespace kadmor::test {

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

QString referenceScript()
{
    return QStringLiteral(KADMOR_SOURCE_DIR "/tests/storage/dbf_reference.py");
}

QByteArray runReference(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(kPython, QStringList{referenceScript()} + arguments);
    if (!process.waitForStarted())
        qFatal("cannot start %s", qPrintable(kPython));
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("dbf_reference.py %s failed: %s", qPrintable(arguments.join(u' ')),
               process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

} // namespace

QString fixturePath(const QString& name)
{
    return QStringLiteral(KADMOR_SOURCE_DIR "/tests/data/storage/") + name;
}

QString copyFixture(const QTemporaryDir& dir, const QString& name)
{
    const QString target = dir.filePath(name);
    QFile::remove(target);
    if (!QFile::copy(fixturePath(name), target))
        qFatal("cannot copy fixture %s", qPrintable(name));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

QJsonObject readWithDbfread(const QString& path, const QString& encoding)
{
    return QJsonDocument::fromJson(runReference({QStringLiteral("read"), path, encoding}, {})).object();
}

void writeWithPythonDbf(const QString& path, const QString& fieldList, const QString& codePage, const QJsonArray& rows)
{
    runReference({QStringLiteral("write"), path, fieldList, codePage}, QJsonDocument(rows).toJson());
}

QString createTableWith(const QTemporaryDir& dir, const TableLayout& layout, const QList<QStringList>& rows)
{
    const QString path = dir.filePath(layout.fileName);
    createTable(path, layout);
    Table table(layout);
    table.setDatabaseName(dir.path());
    table.open();
    for (const QStringList& row : rows) {
        table.append();
        int value = 0;
        for (int i = 0; i < table.fieldCount() && value < row.size(); ++i) {
            Field& field = table.field(i);
            if (field.type() == FieldType::Calculated)
                continue;
            const bool readOnly = field.readOnly();
            field.setReadOnly(false); // a fixture may fill what users may not type into
            field.setAsString(row[value++]);
            field.setReadOnly(readOnly);
        }
        table.post();
    }
    return path;
}

} // namespace kadmor::test
