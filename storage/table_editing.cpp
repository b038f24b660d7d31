// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/table_private.h"

#include <cstring>
#include <utility>

namespace kadmor {

namespace {
// Beyond this many changed records re-sorting from scratch is cheaper than moving each one.
constexpr size_t kIncrementalChangeLimit = 64;
} // namespace

void Table::edit()
{
    d->requireOpen();
    if (isEditing())
        return;
    if (d->viewSize() == 0) {
        append(); // as dBASE programs do: editing an empty table starts a new record
        return;
    }
    const int record = d->currentRecord();
    d->lockForChange(record);
    QByteArray fresh;
    try {
        fresh = d->file->readRecord(record); // edit what is on disk now, not what we read last
    } catch (const Error&) {
        d->file->unlockRecord(record);
        throw;
    }
    if (fresh != d->records.record(record)) {
        d->records.replace(record, fresh);
        d->recordsChanged({record});
        d->rebuildView();
        d->placeCursor(record, d->row);
        d->notifyView();
    }
    if (d->records.deleted(record)) {
        d->file->unlockRecord(record);
        d->scrolled();
        throw Error(QStringLiteral("Záznam mezitím smazal jiný uživatel tabulky %1.").arg(d->tableName));
    }
    d->buffer = fresh;
    d->editRecord = record;
    d->modified = false;
    d->setState(TableState::Edit);
}

void Table::append()
{
    d->requireOpen();
    d->checkBrowseMode();
    d->insertedFrom = d->currentRecord();
    d->buffer = d->blankRecord;
    d->editRecord = -1;
    d->modified = false;
    d->setState(TableState::Insert);
    d->scrolled();
}

void Table::post()
{
    d->requireOpen();
    if (d->state != TableState::Edit && d->state != TableState::Insert)
        return;
    d->validateRequired();
    int record = d->editRecord;
    const bool inserting = d->state == TableState::Insert;
    const bool changed = inserting || d->buffer != d->records.record(record);
    if (changed)
        d->requireIndexKeepable();
    const QByteArray before = inserting ? QByteArray() : d->records.record(record).toByteArray();
    if (inserting)
        record = d->file->appendRecord(d->buffer);
    else if (changed)
        d->file->writeRecord(record, d->buffer);
    d->releaseEditLock();
    d->setState(TableState::Browse);
    const QByteArray after = std::exchange(d->buffer, {});
    d->afterOwnWrite(record, after);
    d->placeCursor(record, d->row);
    d->notifyView();
    if (inserting)
        d->scrolled();
    else
        d->notifyCurrent();
    if (changed)
        d->fileWritten(inserting ? FileWrite::Append : FileWrite::Post, {uint32_t(record + 1), before, after});
}

void Table::cancel()
{
    if (d->state != TableState::Edit && d->state != TableState::Insert)
        return;
    const bool inserting = d->state == TableState::Insert;
    d->releaseEditLock();
    d->buffer.clear();
    d->modified = false;
    d->setState(TableState::Browse);
    if (inserting) {
        d->placeCursor(d->insertedFrom, d->row);
        d->scrolled();
    } else {
        d->notifyCurrent();
    }
}

void Table::remove()
{
    d->requireOpen();
    if (d->state == TableState::Insert) {
        cancel(); // a record never posted has nothing on disk to delete
        return;
    }
    d->requireCursor();
    d->requireIndexKeepable();
    const int record = d->currentRecord();
    if (d->state != TableState::Edit)
        d->lockForChange(record);
    d->editRecord = record; // so that the lock is released below whatever happens
    struct Release
    {
        Private& d;
        ~Release()
        {
            d.releaseEditLock();
            d.buffer.clear();
            d.modified = false;
            d.setState(TableState::Browse);
        }
    };
    {
        Release release{*d};
        d->file->writeDeletionFlag(record, dbf::kDeletedFlag);
    }
    const QByteArray before = d->records.record(record).toByteArray();
    QByteArray deleted = before;
    deleted[0] = dbf::kDeletedFlag;
    const int row = d->row;
    d->afterOwnWrite(record, deleted);
    d->moveToRow(row); // the following record, or the preceding one when the last went
    d->notifyView();
    d->scrolled();
    d->fileWritten(FileWrite::Delete, {uint32_t(record + 1), before, deleted});
}

void Table::refresh()
{
    d->requireOpen();
    d->checkBrowseMode();
    const int record = d->currentRecord();
    if (!d->reopenIfReplaced()) {
        if (d->file->unchangedSinceRead())
            return;
        d->reloadChangedRecords();
    }
    d->rebuildView();
    d->placeCursor(record, d->row);
    d->notifyView();
    if (d->currentRecord() != record)
        d->scrolled();
    else
        d->notifyCurrent();
}

void Table::emptyTable()
{
    if (!isOpen()) {
        DbfFile file(filePath(), DbfFile::Access::Exclusive);
        d->findProductionTags();
        d->requireIndexKeepable();
        file.removeAllRecords();
        d->updateProductionIndex(FileWrite::Empty, file);
        return;
    }
    if (!d->exclusive)
        throw Error(QStringLiteral("Tabulku %1 lze vyprázdnit, jen když je otevřená výhradně.").arg(d->tableName));
    d->requireIndexKeepable();
    cancel();
    d->file->removeAllRecords();
    d->loadRecords();
    d->rebuildView();
    d->placeCursor(-1, 0);
    d->notifyView();
    d->scrolled();
    d->fileWritten(FileWrite::Empty);
}

int Table::pack()
{
    if (!isOpen())
        return PackNotOpen;
    if (!d->exclusive)
        return PackNotExclusive;
    try {
        d->checkBrowseMode();
        d->requireIndexKeepable();
        QByteArray live;
        int count = 0;
        for (int record = 0; record < d->records.count(); ++record) {
            if (!d->records.deleted(record)) {
                live += d->records.record(record);
                ++count;
            }
        }
        d->file->replaceRecords(live, count);
        d->loadRecords();
        d->rebuildView();
        d->placeCursor(-1, 0);
        d->notifyView();
        d->scrolled();
        d->fileWritten(FileWrite::Pack);
        return PackDone;
    } catch (const std::exception&) {
        return PackFailed;
    }
}

// Private helpers

void Table::Private::lockForChange(int record)
{
    if (!file->tryLockRecord(record))
        throw Error(QStringLiteral("Záznam %1 tabulky %2 právě upravuje jiný uživatel. Zkuste to později.")
                        .arg(record + 1)
                        .arg(tableName));
}

void Table::Private::releaseEditLock()
{
    if (editRecord >= 0 && file)
        file->unlockRecord(editRecord);
    editRecord = -1;
}

void Table::Private::validateRequired() const
{
    for (const FieldInfo& field : fields) {
        if (field.required && field.stored() &&
            field_codec::isBlank(QByteArrayView(buffer).sliced(field.offset, field.width)))
            throw Error(QStringLiteral("Field '%1' must have a value").arg(field.name));
    }
}

void Table::Private::afterOwnWrite(int record, const QByteArray& bytes)
{
    if (!file->lastWriteWasInSync()) {
        reloadChangedRecords(); // others wrote meanwhile: take their changes with ours
        rebuildView();
        return;
    }
    const bool wasLive = record < records.count() && !records.deleted(record);
    if (record == records.count())
        records.data += bytes;
    else
        records.replace(record, bytes);
    recordsChanged({record});
    viewRecordChanged(record, wasLive); // not the whole view again: a post stays cheap in a large table
}

void Table::Private::loadRecords()
{
    records.length = file->recordLength();
    records.data = file->readAllRecords();
    calcCache.clear();
    for (TagIndex& tag : tags)
        tag.invalidate();
}

void Table::Private::reloadChangedRecords()
{
    QByteArray fresh = file->readAllRecords();
    if (fresh.size() < records.data.size()) { // emptied or packed elsewhere
        records.data = std::move(fresh);
        calcCache.clear();
        for (TagIndex& tag : tags)
            tag.invalidate();
        return;
    }
    std::vector<int> changed;
    const int oldCount = records.count();
    const int length = records.length;
    for (int record = 0; record < oldCount; ++record)
        if (std::memcmp(records.at(record), fresh.constData() + qsizetype(record) * length, size_t(length)) != 0)
            changed.push_back(record);
    records.data = std::move(fresh);
    for (int record = oldCount; record < records.count(); ++record)
        changed.push_back(record);
    recordsChanged(changed);
}

bool Table::Private::reopenIfReplaced()
{
    if (!file->replacedOnDisk())
        return false;
    auto fresh =
        std::make_unique<DbfFile>(file->path(), exclusive ? DbfFile::Access::Exclusive : DbfFile::Access::Shared);
    codePage = CodePage(fresh->header().language);
    bindFields(fresh->header());
    file = std::move(fresh);
    loadRecords();
    findProductionTags();
    createTags();
    return true;
}

void Table::Private::recordsChanged(const std::vector<int>& changed)
{
    for (int record : changed)
        if (record < int(calcCache.size()))
            calcCache[size_t(record)].clear();
    const bool incremental = changed.size() <= kIncrementalChangeLimit;
    for (TagIndex& tag : tags) {
        if (!incremental) {
            tag.invalidate();
            continue;
        }
        for (int record : changed)
            tag.recordChanged(record);
    }
}

void Table::Private::fileWritten(FileWrite what, const RecordChange& change)
{
    updateProductionIndex(what, *file, change);
}

void Table::Private::updateProductionIndex(FileWrite what, DbfFile& lockHolder, const RecordChange& change)
{
    if (productionTags.isEmpty())
        return;
    const QString path = q.filePath();
    // Emptying and packing write a new header, which carries no index flags, and change every
    // record: they rebuild the index.
    const bool wholeTable = what == FileWrite::Empty || what == FileWrite::Pack;
    lockHolder.withWriteLock([&] {
        if (wholeTable)
            setProductionIndexFlags(path, productionTags);
        else if (updateProductionIndexInPlace(path, productionTags, change, lockHolder.fingerprintBeforeLastWrite()))
            return;
        writeProductionIndex(path, productionTags);
    });
}

void Table::Private::findProductionTags()
{
    indexProblem.reset();
    productionTags.clear();
    if (layout) {
        productionTags = mdxTagsOf(*layout);
        return;
    }
    try {
        productionTags = declaredIndexTags(q.filePath());
    } catch (const Error& error) {
        indexProblem = error.text();
    }
}

void Table::Private::requireIndexKeepable() const
{
    if (indexProblem)
        throw Error(*indexProblem);
}

void Table::Private::checkProductionIndex()
{
    if (productionTags.isEmpty())
        return;
    // A missing, damaged or stale index is rebuilt quietly from the records; a table on a
    // medium we cannot write keeps working without one.
    try {
        file->withWriteLock([&] { ensureProductionIndex(q.filePath(), productionTags); });
    } catch (const Error&) {
    }
}

} // namespace kadmor
