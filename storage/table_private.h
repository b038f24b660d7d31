// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/mdx/production_index.h"
#include "storage/mdx/tag_def.h"

#include "storage/code_page.h"
#include "storage/dbf_file.h"
#include "storage/field_codec.h"
#include "storage/record_buffer.h"
#include "storage/table.h"
#include "storage/tag_index.h"

#include <optional>
#include <vector>

namespace kadmor {

// What the engine has just changed in the file on disk.
enum class FileWrite { Append, Post, Delete, Empty, Pack };

struct Table::Private
{
    explicit Private(Table& table) : q(table) {}

    // The bytes a field is read from: a record of the file, or the edit buffer (record -1).
    struct Source
    {
        const char* bytes = nullptr;
        int record = -1;
    };

    struct Filter
    {
        int field = -1;
        QString value;
    };

    struct Range
    {
        QString from;
        QString to;
    };

    Table& q;
    std::optional<TableLayout> layout;
    QString folder;
    QString tableName;
    bool exclusive = false;

    std::unique_ptr<DbfFile> file;
    CodePage codePage;
    RecordBuffer records;
    QByteArray blankRecord;
    std::vector<FieldInfo> fields;
    std::vector<std::unique_ptr<Field>> fieldObjects;

    std::vector<TagIndex> tags;
    QList<MdxTagDef> productionTags;     // what every write keeps true in the production index
    std::optional<QString> indexProblem; // why no write could keep that index true
    QString indexName;
    QString filterText;
    std::optional<Filter> filter; // parsed filterText
    bool filtered = false;
    std::optional<Range> range;

    // The current view: physical record indexes in the current order. A whole table in the order
    // of a tag not yet built is left pending until someone reads its rows, because the program
    // opens the word table in "angl" order only to narrow it to one lesson at once.
    mutable std::vector<int> rows;
    mutable bool viewPending = false;
    int pendingSize = 0; // the rows of a pending view: the live records
    bool scrollOwed = false; // opened with a pending view: afterScroll follows on the next turn
    std::vector<int>& view() const
    {
        if (viewPending)
            const_cast<Private*>(this)->buildView();
        return rows;
    }
    int viewSize() const { return viewPending ? pendingSize : int(rows.size()); }
    int row = 0;
    bool eof = true;
    bool bof = true;

    TableState state = TableState::Inactive;
    QByteArray buffer;     // the record being edited or inserted
    int editRecord = -1;   // its index in the file; -1 while inserting
    int insertedFrom = -1; // the record current when append() started
    bool modified = false;

    std::function<void(Table&)> calcHook;
    std::vector<std::vector<QString>> calcCache; // per record; empty until calculated
    Source calcSource;
    std::vector<QString>* calcValues = nullptr;

    int controlsDisabled = 0;

    // table.cpp
    void requireOpen() const;
    void requireCursor() const;
    int currentRecord() const;
    void setState(TableState next);
    void scrolled();
    void notifyView();
    void notifyCurrent();
    void checkBrowseMode(); // posts a changed edit, drops an unchanged one
    void moveToRow(int newRow);
    void bindFields(const dbf::Header& header);
    void createTags();
    void createFieldObjects();

    // table_view.cpp
    TagIndex* currentTag();
    void rebuildView(); // may leave the view pending
    void buildView();
    // One record written by us: it leaves the view, or moves to its place in it. wasLive: the
    // record was in the table, not deleted, before the write.
    void viewRecordChanged(int record, bool wasLive);
    bool inRange(TagIndex& tag, int record) const;
    void placeCursor(int record, int fallbackRow);
    std::function<bool(int)> filterPredicate(); // the records the filter lets through
    // Whether a record's field reads value (trailing spaces aside), compared as stored for text.
    std::function<bool(const char*)> valueMatcher(int field, const QString& value);
    std::optional<Filter> parseFilter(const QString& expression) const;
    int lowerBound(const TagIndex& tag, const TagIndex::Key& key) const;

    // table_editing.cpp
    void loadRecords();
    void reloadChangedRecords();
    bool reopenIfReplaced(); // true when the file was opened anew
    void recordsChanged(const std::vector<int>& changed);
    void afterOwnWrite(int record, const QByteArray& bytes); // and brings the view in step
    void validateRequired() const;
    void releaseEditLock();
    void lockForChange(int record);
    // The one place told of every change the engine made to the file on disk; change names the
    // record an append, a post or a delete wrote.
    void fileWritten(FileWrite what, const RecordChange& change = {});
    void updateProductionIndex(FileWrite what, DbfFile& lockHolder, const RecordChange& change = {});
    // The layout's tags, or without a layout those the table's own index file declares.
    void findProductionTags();
    void requireIndexKeepable() const; // before every write
    // Rebuilds the production index at open when it does not match the records.
    void checkProductionIndex();

    // field.cpp
    Source currentSource() const;
    Source rowSource(int viewRow) const;
    QByteArrayView storedBytes(int field, const Source& source) const;
    QString fieldText(int field, const Source& source);
    QString calculatedText(int field, const Source& source);
    void setFieldBytes(int field, const QByteArray& bytes);
    void setCalculated(int field, const QString& text);
    void requireWritable(int field) const;
};

} // namespace kadmor
