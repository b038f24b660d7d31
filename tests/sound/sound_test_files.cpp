// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_test_files.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace soundtest {

QString fixture(const QString& name)
{
    return QStringLiteral(KADMOR_TEST_DATA "/sound/") + name;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString soxi(const QString& option, const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("soxi"), {option, file});
    if (!process.waitForFinished(30'000) || process.exitCode() != 0)
        return QStringLiteral("soxi failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace soundtest
