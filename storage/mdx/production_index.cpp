// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/production_index.h"

#include "storage/error.h"
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/expected_index.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace kadmor {

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Indexový soubor %1 nelze otevřít: %2").arg(path, file.errorString()));
    return file.readAll();
}

void replaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Indexový soubor %1 nelze zapsat: %2").arg(path, file.errorString()));
}

bool isCurrent(const QString& dbfPath, const mdx::DbfTable& table, const QList<MdxTagDef>& tags)
{
    const QStringList paths = findIndexFiles(dbfPath);
    if (paths.isEmpty())
        return false;
    try {
        const mdx::IndexFile expected = mdx::expectedIndex(table, tags, QFileInfo(dbfPath).completeBaseName());
        return std::all_of(paths.begin(), paths.end(), [&](const QString& path) {
            return mdx::sameIndex(mdx::parseIndexFile(readFile(path), QFileInfo(path).fileName()), expected);
        });
    } catch (const Error&) {
        return false; // unreadable or damaged: out of date as far as the caller is concerned
    }
}

void write(const QString& dbfPath, const mdx::DbfTable& table, const QList<MdxTagDef>& tags)
{
    const mdx::IndexFile index = mdx::expectedIndex(table, tags, QFileInfo(dbfPath).completeBaseName());
    const QByteArray bytes = mdx::buildIndexFile(index, QDate::currentDate());
    QStringList paths = findIndexFiles(dbfPath);
    if (paths.isEmpty())
        paths.append(indexFilePath(dbfPath));
    for (const QString& path : paths)
        replaceFile(path, bytes);
}

} // namespace

QStringList findIndexFiles(const QString& dbfPath)
{
    const QFileInfo table(dbfPath);
    const QString wanted = table.completeBaseName() + QStringLiteral(".mdx");
    QStringList found;
    const QDir folder = table.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            found.append(folder.filePath(name));
    }
    return found;
}

QString findIndexFile(const QString& dbfPath)
{
    const QStringList found = findIndexFiles(dbfPath);
    return found.isEmpty() ? QString() : found.front();
}

QString indexFilePath(const QString& dbfPath)
{
    const QString existing = findIndexFile(dbfPath);
    if (!existing.isEmpty())
        return existing;
    const QFileInfo table(dbfPath);
    const bool capitals = !table.suffix().isEmpty() && table.suffix() == table.suffix().toUpper();
    return table.dir().filePath(table.completeBaseName() +
                                (capitals ? QStringLiteral(".MDX") : QStringLiteral(".mdx")));
}

void writeProductionIndex(const QString& dbfPath, const QList<MdxTagDef>& tags)
{
    write(dbfPath, mdx::readDbf(dbfPath), tags);
}

bool productionIndexIsCurrent(const QString& dbfPath, const QList<MdxTagDef>& tags)
{
    return isCurrent(dbfPath, mdx::readDbf(dbfPath), tags);
}

void setProductionIndexFlags(const QString& dbfPath, const QList<MdxTagDef>& tags)
{
    const mdx::DbfTable table = mdx::readDbfHeader(dbfPath);
    const QByteArray marked = mdx::headerWithIndexFlags(table, tags);
    if (marked == table.bytes.left(table.headerLength))
        return;
    QFile file(dbfPath);
    if (!file.open(QIODevice::ReadWrite) || file.write(marked) != marked.size() || !file.flush())
        throw Error(QStringLiteral("Tabulku %1 nelze zapsat: %2").arg(dbfPath, file.errorString()));
}

bool ensureProductionIndex(const QString& dbfPath, const QList<MdxTagDef>& tags)
{
    setProductionIndexFlags(dbfPath, tags);
    const mdx::DbfTable table = mdx::readDbf(dbfPath);
    if (isCurrent(dbfPath, table, tags))
        return false;
    write(dbfPath, table, tags);
    return true;
}

mdx::IndexFile readProductionIndex(const QString& dbfPath)
{
    const QString path = findIndexFile(dbfPath);
    if (path.isEmpty())
        throw Error(QStringLiteral("K tabulce %1 chybí indexový soubor.").arg(dbfPath));
    return mdx::parseIndexFile(readFile(path), QFileInfo(path).fileName());
}

} // namespace kadmor
