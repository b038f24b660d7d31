// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kadmor {

class Table;

enum class TableState { Inactive, Browse, Edit, Insert, CalcFields };

// Physical record number (from 1); stays valid across order, filter and range changes.
using Bookmark = int;

// One field of a table, reading and writing the table's current record (or, inside the
// calculate-fields hook, the record being calculated).
class Field
{
  public:
    Field(Table& table, int index) : m_table(&table), m_index(index) {}

    int index() const { return m_index; }
    QString name() const;
    FieldType type() const;
    int width() const;
    int decimals() const;

    bool isNull() const; // blank in the file
    QString asString() const;
    int asInteger() const;  // blank reads as 0; text that is no number raises an Error
    double asFloat() const; // the same
    void setAsString(const QString& value);
    void setAsInteger(int value);
    void setAsFloat(double value);
    void clear();

    // Raw mode: text is the stored bytes one character each (QChar 0-255), no code-page conversion.
    bool rawMode() const;
    void setRawMode(bool on);

    bool required() const;
    void setRequired(bool on);
    bool readOnly() const;
    void setReadOnly(bool on);

  private:
    Table* m_table;
    int m_index;
};

// A dBASE table as the pages see it: a cursor over the current view (order, filter, range),
// an edit buffer with the three states, and the hooks the bound controls and pages use.
// Every failure throws kadmor::Error with a Czech text; posting an empty required field throws
// "Field '%s' must have a value".
class Table : public QObject
{
    Q_OBJECT
  public:
    // Without a layout the table takes its fields from the file and has no tags.
    explicit Table(QObject* parent = nullptr);
    explicit Table(const TableLayout& layout, QObject* parent = nullptr);
    ~Table() override;

    // Location and opening
    void setDatabaseName(const QString& folder); // may be changed only while closed
    QString databaseName() const;
    void setTableName(const QString& fileName);
    QString tableName() const;
    QString filePath() const;
    // Exclusive use is a lock on the byte past the record locks that every opener of this
    // program shares: it keeps out every other copy of this program, here or on another computer
    // (fcntl byte-range locks reach NFS and CIFS servers), and a dBASE program that opens the
    // table exclusively with the BDE's lock layout (its lock covers that byte). A dBASE program
    // that opens it shared takes no lock there and is not kept out; nothing safe would do that:
    // a lock over the whole file (flock, which NFS and CIFS since Linux 5.5 turn into one) blocks
    // every record lock, and one over every record lock makes such a program look for a free
    // slot for ever. Packing and emptying therefore need that no other dBASE program has the
    // data folder open.
    void setExclusive(bool on);
    bool exclusive() const;
    void open();  // a table whose layout is created when missing is created first
    void close(); // posts a pending edit first (so does the destructor, which drops it if that fails)
    bool isOpen() const;

    // Cursor over the current view
    void first();
    void next();
    void prior();
    void last();
    void moveBy(int distance);
    bool eof() const;        // true after next() on the last record or when the view is empty
    bool bof() const;        // true after prior() on the first record or when the view is empty
    int recNo() const;       // physical position from 1; 0 when the view is empty or while inserting
    int recordCount() const; // records in the current view
    Bookmark bookmark() const;
    void gotoBookmark(Bookmark mark); // throws when the record is not in the view
    void freeBookmark(Bookmark mark);

    // Row access for grids: the view's rows from 0, without moving the cursor
    int currentRow() const; // -1 when the view is empty
    void moveToRow(int row);
    QString text(int row, int field) const;

    // Order
    void setIndexName(const QString& tag); // empty: file order
    QString indexName() const;

    // Selection
    void setFilter(const QString& expression); // field='value', exact comparison
    QString filter() const;
    void setFiltered(bool on);
    bool filtered() const;
    void setRange(const QString& from, const QString& to); // on the current tag, inclusive
    void cancelRange();
    bool findKey(const QString& key);     // on the current tag; moves there when found
    void findNearest(const QString& key); // first record whose key is >= key, else the last
    // The live records of the whole table, whatever the filter and range, whose field reads value
    // (as asString() gives it), in the file as it is now: what other programs wrote since the last
    // refresh counts. Neither the view nor the cursor moves.
    int countRecordsWith(const QString& fieldName, const QString& value);

    // Editing
    TableState state() const;
    bool isEditing() const; // a record is being edited or appended
    void edit();            // locks the record against other programs and re-reads it; in an empty view: append()
    void append();
    void post();
    void cancel();
    void remove(); // the cursor then stands on the following record, or the preceding at the end
    void refresh();

    // Fields
    int fieldCount() const;
    Field& field(int index);
    Field& fieldByName(const QString& name); // case-insensitive; throws when there is none
    Field* findField(const QString& name);

    // Bound controls: nested suspension of viewChanged/currentChanged
    void disableControls();
    void enableControls(); // the last one emits viewChanged
    bool controlsDisabled() const;

    // Bulk work
    void emptyTable(); // open or closed; open needs exclusive use
    enum PackResult { PackDone = 0, PackNotOpen = 1, PackNotExclusive = 2, PackFailed = 3 };
    int pack(); // open and exclusive: PackDone (0) when it worked; never throws

    // Called for each record read, in state CalcFields, to set the calculated fields.
    void setCalcFieldsHook(std::function<void(Table&)> hook);

  signals:
    void afterScroll();    // the current record changed (always, also while controls are disabled)
    void viewChanged();    // rows, order or content changed: bound grids reload
    void currentChanged(); // current record or its values changed: bound edits reload
    void stateChanged();   // browse / edit / insert changed

  private:
    friend class Field;
    struct Private;
    std::unique_ptr<Private> d;
};

// Creates an empty dBASE IV table at path with the layout's stored fields (code page 1250), and its
// production index when the layout has tags; a table there is replaced.
void createTable(const QString& path, const TableLayout& layout);
// Creates the empty table at path unless a file of that name is there; never replaces one, also
// when another program creates it at the same moment. Opening a table whose layout says
// Provision::CreatedWhenMissing does this first.
void createTableIfMissing(const QString& path, const TableLayout& layout);

} // namespace kadmor
