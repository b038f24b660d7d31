// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/table_private.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace kadmor {

Table::Table(QObject* parent) : QObject(parent), d(std::make_unique<Private>(*this)) {}

Table::Table(const TableLayout& layout, QObject* parent) : Table(parent)
{
    d->layout = layout;
    d->tableName = layout.fileName;
    d->indexName = layout.initialTag;
    for (const FieldSpec& declared : layout.fields) {
        FieldInfo info;
        info.name = declared.name;
        info.type = declared.type;
        info.width = declared.width;
        info.decimals = declared.decimals;
        info.required = declared.required;
        info.readOnly = declared.readOnly;
        info.minValue = declared.minValue;
        info.maxValue = declared.maxValue;
        d->fields.push_back(info);
    }
    d->createFieldObjects();
}

Table::~Table()
{
    try {
        close();
    } catch (const Error&) {
        // a record that cannot be posted any more is dropped with the table
    }
}

// Location and opening

void Table::setDatabaseName(const QString& folder)
{
    if (isOpen())
        throw Error(QStringLiteral("Složku tabulky %1 nelze měnit, dokud je otevřená.").arg(d->tableName));
    d->folder = folder;
}

QString Table::databaseName() const
{
    return d->folder;
}

void Table::setTableName(const QString& fileName)
{
    if (isOpen())
        throw Error(QStringLiteral("Jméno tabulky %1 nelze měnit, dokud je otevřená.").arg(d->tableName));
    d->tableName = fileName;
}

QString Table::tableName() const
{
    return d->tableName;
}

QString Table::filePath() const
{
    return d->folder.isEmpty() ? d->tableName : QDir(d->folder).filePath(d->tableName);
}

void Table::setExclusive(bool on)
{
    if (isOpen())
        throw Error(QStringLiteral("Výhradní použití tabulky %1 nelze měnit, dokud je otevřená.").arg(d->tableName));
    d->exclusive = on;
}

bool Table::exclusive() const
{
    return d->exclusive;
}

void Table::open()
{
    if (isOpen())
        return;
    if (d->layout && d->layout->provision == Provision::CreatedWhenMissing)
        createTableIfMissing(filePath(), *d->layout);
    auto file =
        std::make_unique<DbfFile>(filePath(), d->exclusive ? DbfFile::Access::Exclusive : DbfFile::Access::Shared);
    d->codePage = CodePage(file->header().language);
    d->bindFields(file->header());
    d->file = std::move(file);
    try {
        d->loadRecords(); // first: a damaged table is reported before anything is written
        d->findProductionTags();
        d->checkProductionIndex();
        d->createTags();
    } catch (...) {
        d->tags.clear();
        d->file.reset(); // a table that did not open holds no lock
        throw;
    }
    d->range.reset();
    d->row = 0;
    d->setState(TableState::Browse);
    d->rebuildView();
    d->placeCursor(-1, 0);
    d->notifyView();
    if (!d->viewPending) {
        d->scrolled();
        return;
    }
    // Who follows the current record hears of it once the caller has had its turn: the program
    // narrows the word table to one lesson right after opening it, and a record number asked for
    // now would build the order of the whole table first.
    d->scrollOwed = true;
    QTimer::singleShot(0, this, [this] {
        if (d->scrollOwed && isOpen())
            d->scrolled();
    });
}

void Table::close()
{
    if (!isOpen())
        return;
    d->checkBrowseMode();
    d->tags.clear();
    d->file.reset();
    d->records = {};
    d->calcCache.clear();
    d->rows.clear();
    d->viewPending = false;
    d->scrollOwed = false;
    d->range.reset();
    d->eof = d->bof = true;
    d->setState(TableState::Inactive);
    d->notifyView();
}

TableState Table::state() const
{
    return d->state;
}

bool Table::isEditing() const
{
    return d->state == TableState::Edit || d->state == TableState::Insert;
}

bool Table::isOpen() const
{
    return d->state != TableState::Inactive;
}

// Cursor

void Table::first()
{
    d->requireOpen();
    d->checkBrowseMode();
    d->moveToRow(0);
    d->scrolled();
}

void Table::next()
{
    moveBy(1);
}

void Table::prior()
{
    moveBy(-1);
}

void Table::last()
{
    d->requireOpen();
    d->checkBrowseMode();
    d->moveToRow(d->viewSize() - 1);
    d->scrolled();
}

void Table::moveBy(int distance)
{
    d->requireOpen();
    d->checkBrowseMode();
    const int size = d->viewSize();
    const int target = d->row + distance;
    const int before = d->row;
    d->moveToRow(target);
    d->eof = size == 0 || target > size - 1;
    d->bof = size == 0 || target < 0;
    if (d->row != before)
        d->scrolled();
}

bool Table::eof() const
{
    return d->eof;
}

bool Table::bof() const
{
    return d->bof;
}

int Table::recNo() const
{
    if (d->state == TableState::Insert)
        return 0;
    return d->currentRecord() + 1;
}

int Table::recordCount() const
{
    return d->viewSize();
}

Bookmark Table::bookmark() const
{
    return d->currentRecord() + 1;
}

void Table::gotoBookmark(Bookmark mark)
{
    d->requireOpen();
    d->checkBrowseMode();
    const std::vector<int>& rows = d->view();
    const auto found = std::find(rows.begin(), rows.end(), mark - 1);
    if (found == rows.end())
        throw Error(QStringLiteral("Záznam %1 v tabulce %2 už není.").arg(mark).arg(d->tableName));
    d->moveToRow(int(found - rows.begin()));
    d->scrolled();
}

void Table::freeBookmark(Bookmark)
{
    // bookmarks are record numbers and hold nothing
}

// Rows

int Table::currentRow() const
{
    return d->viewSize() == 0 ? -1 : d->row;
}

void Table::moveToRow(int row)
{
    d->requireOpen();
    d->checkBrowseMode();
    const int before = d->row;
    d->moveToRow(row);
    if (d->row != before)
        d->scrolled();
}

QString Table::text(int row, int field) const
{
    if (row < 0 || row >= d->viewSize() || field < 0 || field >= int(d->fields.size()))
        return {};
    return d->fieldText(field, d->rowSource(row));
}

// Bound controls

void Table::disableControls()
{
    ++d->controlsDisabled;
}

void Table::enableControls()
{
    if (d->controlsDisabled == 0)
        return;
    if (--d->controlsDisabled == 0) {
        emit viewChanged();
        emit currentChanged();
    }
}

bool Table::controlsDisabled() const
{
    return d->controlsDisabled > 0;
}

void Table::setCalcFieldsHook(std::function<void(Table&)> hook)
{
    d->calcHook = std::move(hook);
    d->calcCache.clear();
}

// Private helpers

void Table::Private::requireOpen() const
{
    if (state == TableState::Inactive)
        throw Error(QStringLiteral("Tabulka %1 není otevřená.").arg(tableName));
}

void Table::Private::requireCursor() const
{
    requireOpen();
    if (viewSize() == 0)
        throw Error(QStringLiteral("Tabulka %1 je prázdná.").arg(tableName));
}

int Table::Private::currentRecord() const
{
    return viewSize() == 0 ? -1 : view()[size_t(row)];
}

void Table::Private::setState(TableState next)
{
    if (state == next)
        return;
    state = next;
    emit q.stateChanged();
}

void Table::Private::scrolled()
{
    scrollOwed = false;
    emit q.afterScroll();
    notifyCurrent();
}

void Table::Private::notifyView()
{
    if (controlsDisabled == 0)
        emit q.viewChanged();
}

void Table::Private::notifyCurrent()
{
    if (controlsDisabled == 0)
        emit q.currentChanged();
}

void Table::Private::moveToRow(int newRow)
{
    const int size = viewSize();
    row = std::clamp(newRow, 0, std::max(size - 1, 0));
    eof = bof = size == 0;
}

void Table::Private::checkBrowseMode()
{
    if (state != TableState::Edit && state != TableState::Insert)
        return;
    if (modified)
        q.post();
    else
        q.cancel();
}

void Table::Private::bindFields(const dbf::Header& header)
{
    std::vector<FieldInfo> fromFile = fileFields(header, codePage);
    blankRecord = QByteArray(header.recordLength, ' ');
    const bool sameFields = std::equal(fields.begin(), fields.end(), fromFile.begin(), fromFile.end(),
                                       [](const FieldInfo& a, const FieldInfo& b) { return a.name == b.name; });
    if (!layout && !sameFields) {
        fields = std::move(fromFile);
        createFieldObjects();
        return;
    }
    // The fields stay (and so do their flags and the references handed out); the file decides
    // how each value is stored.
    for (FieldInfo& field : fields) {
        if (field.type == FieldType::Calculated)
            continue;
        const auto match = std::find_if(fromFile.begin(), fromFile.end(), [&](const FieldInfo& candidate) {
            return candidate.name.compare(field.name, Qt::CaseInsensitive) == 0;
        });
        if (match == fromFile.end())
            throw Error(QStringLiteral("V tabulce %1 chybí pole %2.").arg(tableName, field.name));
        field.type = match->type;
        field.width = match->width;
        field.decimals = match->decimals;
        field.offset = match->offset;
    }
}

void Table::Private::createFieldObjects()
{
    fieldObjects.clear();
    for (int i = 0; i < int(fields.size()); ++i)
        fieldObjects.push_back(std::make_unique<Field>(q, i));
}

void Table::Private::createTags()
{
    tags.clear();
    if (!layout)
        return;
    tags.reserve(layout->tags.size());
    for (const TagSpec& declared : layout->tags) {
        const Field* field = q.findField(declared.field);
        if (!field)
            throw Error(QStringLiteral("Index %1 tabulky %2 řadí podle neznámého pole %3.")
                            .arg(declared.name, tableName, declared.field));
        const FieldInfo& info = fields[size_t(field->index())];
        tags.emplace_back(declared, info.offset, info.width, codePage, records);
    }
}

} // namespace kadmor
