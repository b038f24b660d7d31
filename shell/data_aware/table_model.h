// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error_display.h"
#include "storage/layouts.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <optional>

namespace kadmor {

class Table;

// The rows of a table's current view (order, filter, range) as a grid model: one column per
// chosen field, titled with the field's name. The model follows the table's viewChanged and
// currentChanged signals; while the table's bound controls are disabled it keeps showing what it
// showed before, and it catches up when they are enabled again.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit TableModel(QObject* parent = nullptr);
    ~TableModel() override;

    // fields: names of the fields to show, in this order; empty shows all fields in table order.
    void setTable(Table* table, const QStringList& fields = {});
    Table* table() const;

    int fieldIndex(int column) const;              // the table's field number of a column, -1 when out of range
    int columnOfField(const QString& field) const; // -1 when the field is not shown
    int currentRow() const;                        // the table's current row as last shown, -1 for none

    // Typing into cells; read-only and calculated fields are never editable.
    void setEditable(bool on);
    bool isEditable() const;
    void setColumnEditable(const QString& field, bool on);

    // Per-column look; by default numbers are right-aligned and text left-aligned.
    void setColumnAlignment(const QString& field, Qt::Alignment alignment);
    void setColumnForeground(const QString& field, const QColor& color);
    void setColumnBackground(const QString& field, const QColor& color);
    void setColumnFont(const QString& field, const QFont& font);
    void setColumnTitleForeground(const QString& field, const QColor& color);

    void setErrorHandler(ErrorHandler handler);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves the table to the row, puts it into edit mode and writes the field; the record is
    // posted when the table leaves the row, as with every bound control.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  signals:
    // The table's current row as the model shows it, after every update the model takes in.
    void currentRowChanged(int row);

  private:
    struct Column
    {
        QString name;
        int field = -1;
        FieldType type = FieldType::Character;
        bool readOnly = false;
    };
    struct ColumnLook
    {
        std::optional<Qt::Alignment> alignment;
        std::optional<bool> editable;
        std::optional<QFont> font;
        QColor foreground;
        QColor background;
        QColor titleForeground;
    };

    void reload();
    void followCurrentRecord();
    QList<Column> resolveColumns() const;
    int tableRowCount() const;
    int tableCurrentRow() const;
    const QStringList& rowTexts(int row) const;
    QStringList readRow(int row) const;
    QString displayText(int row, int column) const;
    ColumnLook look(int column) const;
    ColumnLook& lookOf(const QString& field);
    void lookChanged(const QString& field);
    void emitRowChanged(int row);

    QPointer<Table> m_table;
    QStringList m_fieldNames;
    QList<Column> m_columns;
    int m_rowCount = 0;
    int m_currentRow = -1;
    bool m_editable = false;
    QHash<QString, ColumnLook> m_looks; // by upper-case field name
    ErrorHandler m_errorHandler;
    // Rows already shown, kept so that a suspended table's grid keeps its picture.
    mutable QHash<int, QStringList> m_rowCache;
};

} // namespace kadmor
