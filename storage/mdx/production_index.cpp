// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/production_index.h"

#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/expected_index.h"
#include "storage/mdx/index_editor.h"
#include "storage/mdx/mdx_format.h"
#include "storage/replacement_file.h"
#include "storage/table_fingerprint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The temporary names of index writes, as earlier versions named them too.
const QString kTemporaryPrefix = QStringLiteral(".");

void replaceFile(const QString& path, const QByteArray& bytes)
{
    ReplacementFile::removeLeftovers(path, kTemporaryPrefix); // we hold the table's write lock
    ReplacementFile file(path, kTemporaryPrefix);
    file.write(bytes);
    file.commit();
}

// Whether this engine can keep the tag true: a field's own value as the key, ascending, every
// record in it.
QString unkeepableReason(const mdx::TagInfo& tag, const mdx::DbfTable& table)
{
    const mdx::DbfField* field = table.field(tag.expression.trimmed());
    if (!field)
        return QStringLiteral("řadí podle výrazu %1").arg(QString::fromLatin1(tag.expression));
    if (tag.descending || tag.unique)
        return QStringLiteral("je sestupná nebo jedinečná");
    const bool keyFits = tag.keyType == 'C' ? field->type == 'C' && tag.keyLength == field->width
                                            : tag.keyType == 'N' && (field->type == 'N' || field->type == 'F');
    if (!keyFits)
        return QStringLiteral("má klíč typu %1").arg(QLatin1Char(tag.keyType));
    return {};
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

QByteArray fingerprintRecord(const QByteArray& fingerprint)
{
    return QByteArray(mdx::kFingerprintMark, mdx::kFingerprintMarkSize) + fingerprint;
}

void write(const QString& dbfPath, const mdx::DbfTable& table, const QList<MdxTagDef>& tags)
{
    const mdx::IndexFile index = mdx::expectedIndex(table, tags, QFileInfo(dbfPath).completeBaseName());
    QByteArray bytes = mdx::buildIndexFile(index, QDate::currentDate());
    const QByteArray stamp = fingerprintRecord(dbf::fingerprintOfFile(dbfPath));
    bytes.replace(mdx::kFingerprintMarkOffset, stamp.size(), stamp);
    const QStringList paths = findIndexFiles(dbfPath);
    if (paths.isEmpty()) {
        replaceFile(indexFilePath(dbfPath), bytes); // a new file: nobody holds it open yet
        return;
    }
    // In place, not by a new file renamed over it: another program that holds the index open
    // would go on writing to the old file, and its keys would never reach the index on disk.
    for (const QString& path : paths)
        mdx::IndexEditor::rewrite(path, bytes);
}

// The tags as the index must declare them, from the table's header alone.
QList<mdx::TagInfo> wantedTags(mdx::DbfTable header, const QList<MdxTagDef>& tags)
{
    header.recordCount = 0;
    QList<mdx::TagInfo> infos;
    for (const mdx::Tag& tag : mdx::expectedIndex(header, tags, {}).tags)
        infos.append(tag.info);
    return infos;
}

bool declaresTags(const mdx::IndexEditor& index, const mdx::DbfTable& header, const QList<MdxTagDef>& tags)
{
    if (index.language() != header.language || index.tags().size() != size_t(tags.size()))
        return false;
    const QList<mdx::TagInfo> wanted = wantedTags(header, tags);
    return std::all_of(wanted.begin(), wanted.end(), [&](const mdx::TagInfo& want) {
        const int found = index.tagNamed(want.name);
        if (found < 0)
            return false;
        const mdx::TagInfo& has = index.tags()[size_t(found)];
        return has.expression.trimmed().compare(want.expression, Qt::CaseInsensitive) == 0 &&
               has.keyType == want.keyType && has.keyLength == want.keyLength && !has.descending && !has.unique;
    });
}

// The one index file, when this engine stamped it with the table's fingerprint now.
bool stampedCurrent(const QString& dbfPath, const QList<MdxTagDef>& tags)
{
    const QStringList paths = findIndexFiles(dbfPath);
    if (paths.size() != 1)
        return false;
    try {
        const mdx::IndexEditor index(paths.front(), mdx::IndexEditor::Access::ReadOnly);
        return !index.fingerprint().isEmpty() && index.fingerprint() == dbf::fingerprintOfFile(dbfPath) &&
               declaresTags(index, mdx::readDbfHeader(dbfPath), tags);
    } catch (const Error&) {
        return false;
    }
}

// Gives an index found current the table's fingerprint, so that the next check is cheap.
void stamp(const QString& dbfPath)
{
    const QStringList paths = findIndexFiles(dbfPath);
    if (paths.size() != 1)
        return;
    mdx::IndexEditor index(paths.front(), mdx::IndexEditor::Access::ReadWrite);
    index.commit(dbf::fingerprintOfFile(dbfPath));
}

QByteArray keyOf(const MdxTagDef& def, const mdx::DbfField& field, const QByteArray& record)
{
    const QByteArrayView value = QByteArrayView(record).sliced(field.offset, field.width);
    return def.keyType == 'N' ? mdx::bcdKeyFromText(value) : value.toByteArray();
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

bool updateProductionIndexInPlace(const QString& dbfPath, const QList<MdxTagDef>& tags, const RecordChange& change,
                                  const QByteArray& fingerprintBefore)
{
    const QStringList paths = findIndexFiles(dbfPath);
    if (paths.size() != 1 || fingerprintBefore.isEmpty())
        return false;
    try {
        mdx::IndexEditor index(paths.front(), mdx::IndexEditor::Access::ReadWrite);
        const mdx::DbfTable header = mdx::readDbfHeader(dbfPath);
        if (!declaresTags(index, header, tags))
            return false;
        // Another program wrote the table since: a dBASE program that keeps the index (TDbf)
        // holds it open and changes it too, so ours are changed beside its keys, not over them.
        // Whether the index is still true is then not known: it keeps no fingerprint, and the
        // next open checks it in full.
        const bool inStep = index.fingerprint() == fingerprintBefore;
        for (const MdxTagDef& def : tags) {
            const mdx::DbfField* field = header.field(def.field);
            const int tag = index.tagNamed(def.name);
            if (change.after.size() != header.recordLength ||
                (!change.before.isEmpty() && change.before.size() != header.recordLength))
                return false;
            const QByteArray key = keyOf(def, *field, change.after);
            if (!change.before.isEmpty()) {
                const QByteArray old = keyOf(def, *field, change.before);
                if (old == key)
                    continue;
                if (!index.remove(tag, old, change.recordNumber))
                    return false;
            }
            index.insert(tag, key, change.recordNumber);
        }
        index.commit(inStep ? dbf::fingerprintOfFile(dbfPath) : QByteArray());
        return true;
    } catch (const Error&) {
        return false; // a commit cut short left no fingerprint: the rebuild rewrites the file
    }
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
    // Changes in place leave nothing behind; what a rebuild killed midway left goes here, once
    // per open, as we hold the table's write lock.
    for (const QString& path : findIndexFiles(dbfPath))
        ReplacementFile::removeLeftovers(path, kTemporaryPrefix);
    if (stampedCurrent(dbfPath, tags))
        return false;
    const mdx::DbfTable table = mdx::readDbf(dbfPath);
    if (isCurrent(dbfPath, table, tags)) {
        try {
            stamp(dbfPath);
        } catch (const Error&) {
            // a medium we cannot write: the next open checks in full again
        }
        return false;
    }
    write(dbfPath, table, tags);
    return true;
}

QList<MdxTagDef> declaredIndexTags(const QString& dbfPath)
{
    const mdx::DbfTable table = mdx::readDbfHeader(dbfPath);
    const QString path = findIndexFile(dbfPath);
    if (table.bytes.at(mdx::kDbfProductionIndexOffset) == 0 || path.isEmpty())
        return {};
    const QString name = QFileInfo(path).fileName();
    QList<MdxTagDef> tags;
    for (const mdx::TagInfo& tag : mdx::parseTagTable(readFile(path), name)) {
        const QString reason = unkeepableReason(tag, table);
        if (!reason.isEmpty())
            throw Error(QStringLiteral("Značka %1 indexového souboru %2 %3, což tento program neumí udržovat; "
                                       "tabulku %4 proto lze jen číst.")
                            .arg(QString::fromLatin1(tag.name), name, reason, QFileInfo(dbfPath).fileName()));
        tags.append({tag.name, tag.expression.trimmed(), tag.keyType});
    }
    return tags;
}

mdx::IndexFile readProductionIndex(const QString& dbfPath)
{
    const QString path = findIndexFile(dbfPath);
    if (path.isEmpty())
        throw Error(QStringLiteral("K tabulce %1 chybí indexový soubor.").arg(dbfPath));
    return mdx::parseIndexFile(readFile(path), QFileInfo(path).fileName());
}

} // namespace kadmor
