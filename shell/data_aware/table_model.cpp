// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/table_model.h"

#include "shell/data_aware/shown_rows.h"

#include "base/error.h"
#include "storage/table.h"

#include <QBrush>

namespace kadmor {

namespace {

bool isNumber(FieldType type)
{
    return type == FieldType::Numeric || type == FieldType::Float || type == FieldType::Calculated;
}

} // namespace

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

TableModel::~TableModel() = default;

void TableModel::setTable(Table* table, const QStringList& fields)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    m_fieldNames = fields;
    if (table) {
        connect(table, &Table::viewChanged, this, &TableModel::reload);
        connect(table, &Table::currentChanged, this, &TableModel::followCurrentRecord);
        connect(table, &QObject::destroyed, this, &TableModel::reload);
    }
    beginResetModel();
    m_columns = resolveColumns();
    m_rowCount = tableRowCount();
    m_rowCache.clear();
    endResetModel();
    m_currentRow = tableCurrentRow();
    emit currentRowChanged(m_currentRow);
}

Table* TableModel::table() const
{
    return m_table;
}

int TableModel::fieldIndex(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : -1;
}

int TableModel::columnOfField(const QString& field) const
{
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_columns[column].name.compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

int TableModel::currentRow() const
{
    return m_currentRow;
}

void TableModel::setEditable(bool on)
{
    m_editable = on;
    if (m_rowCount > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, m_columns.size() - 1));
}

bool TableModel::isEditable() const
{
    return m_editable;
}

void TableModel::setColumnEditable(const QString& field, bool on)
{
    lookOf(field).editable = on;
    lookChanged(field);
}

void TableModel::setColumnAlignment(const QString& field, Qt::Alignment alignment)
{
    lookOf(field).alignment = alignment;
    lookChanged(field);
}

void TableModel::setColumnForeground(const QString& field, const QColor& color)
{
    lookOf(field).foreground = color;
    lookChanged(field);
}

void TableModel::setColumnBackground(const QString& field, const QColor& color)
{
    lookOf(field).background = color;
    lookChanged(field);
}

void TableModel::setColumnFont(const QString& field, const QFont& font)
{
    lookOf(field).font = font;
    lookChanged(field);
}

void TableModel::setColumnTitleForeground(const QString& field, const QColor& color)
{
    lookOf(field).titleForeground = color;
    lookChanged(field);
}

void TableModel::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return {};
    const ColumnLook columnLook = look(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return displayText(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const Qt::Alignment horizontal = isNumber(m_columns[index.column()].type) ? Qt::AlignRight : Qt::AlignLeft;
        return int(columnLook.alignment.value_or(horizontal | Qt::AlignVCenter));
    }
    case Qt::ForegroundRole:
        return columnLook.foreground.isValid() ? QVariant(QBrush(columnLook.foreground)) : QVariant();
    case Qt::BackgroundRole:
        return columnLook.background.isValid() ? QVariant(QBrush(columnLook.background)) : QVariant();
    case Qt::FontRole:
        return columnLook.font ? QVariant(*columnLook.font) : QVariant();
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].name;
    const QColor title = look(section).titleForeground;
    if (role == Qt::ForegroundRole && title.isValid())
        return QBrush(title);
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const Column& column = m_columns[index.column()];
    const bool wanted = look(index.column()).editable.value_or(m_editable);
    if (wanted && m_table && column.type != FieldType::Calculated && !m_table->field(column.field).readOnly())
        result |= Qt::ItemIsEditable;
    return result;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const int field = m_columns[index.column()].field;
    const bool written = runAction(m_errorHandler, [&] {
        if (tableCurrentRow() != row)
            m_table->moveToRow(row);
        if (m_table->state() == TableState::Browse)
            m_table->edit();
        m_table->field(field).setAsString(value.toString());
    });
    emitRowChanged(row);
    return written;
}

void TableModel::reload()
{
    const QList<Column> columns = resolveColumns();
    const int count = tableRowCount();
    const bool sameColumns = std::equal(columns.begin(), columns.end(), m_columns.begin(), m_columns.end(),
                                        [](const Column& a, const Column& b) { return a.field == b.field; });
    if (sameColumns && count == m_rowCount) {
        // Same shape: repaint in place so that the grid keeps its scroll position and selection.
        m_rowCache.clear();
        if (count > 0 && !columns.isEmpty())
            emit dataChanged(index(0, 0), index(count - 1, int(columns.size()) - 1));
    } else {
        beginResetModel();
        m_columns = columns;
        m_rowCount = count;
        m_rowCache.clear();
        endResetModel();
    }
    m_currentRow = tableCurrentRow();
    emit currentRowChanged(m_currentRow);
}

void TableModel::followCurrentRecord()
{
    if (tableRowCount() != m_rowCount) {
        reload();
        return;
    }
    const int previous = m_currentRow;
    m_currentRow = tableCurrentRow();
    emitRowChanged(previous);
    if (m_currentRow != previous)
        emitRowChanged(m_currentRow);
    emit currentRowChanged(m_currentRow);
}

QList<TableModel::Column> TableModel::resolveColumns() const
{
    QList<Column> columns;
    if (!m_table)
        return columns;
    const auto add = [&columns](const Field& field) { columns.append({field.name(), field.index(), field.type()}); };
    if (m_fieldNames.isEmpty()) {
        for (int i = 0; i < m_table->fieldCount(); ++i)
            add(m_table->field(i));
    } else {
        for (const QString& name : m_fieldNames) {
            if (const Field* field = m_table->findField(name))
                add(*field);
        }
    }
    return columns;
}

int TableModel::tableRowCount() const
{
    return shownRowCount(m_table);
}

int TableModel::tableCurrentRow() const
{
    return shownCurrentRow(m_table);
}

const QStringList& TableModel::rowTexts(int row) const
{
    auto cached = m_rowCache.constFind(row);
    if (cached == m_rowCache.constEnd())
        cached = m_rowCache.insert(row, readRow(row));
    return *cached;
}

QStringList TableModel::readRow(int row) const
{
    QStringList texts;
    if (row >= tableRowCount())
        return QStringList(m_columns.size());
    // The record being appended is in no row of the view yet: it is read through the fields.
    const bool appended = isAppendedRow(m_table, row);
    try {
        for (const Column& column : m_columns)
            texts.append(appended ? m_table->field(column.field).asString() : m_table->text(row, column.field));
    } catch (const Error&) {
        // A row that cannot be read is painted empty; painting has no one to report to, and the
        // action that broke the table reports its own failure.
        return QStringList(m_columns.size());
    }
    return texts;
}

QString TableModel::displayText(int row, int column) const
{
    const QString& text = rowTexts(row).at(column);
    return isNumber(m_columns[column].type) ? text.trimmed() : text;
}

TableModel::ColumnLook TableModel::look(int column) const
{
    return m_looks.value(m_columns[column].name.toUpper());
}

TableModel::ColumnLook& TableModel::lookOf(const QString& field)
{
    return m_looks[field.toUpper()];
}

void TableModel::lookChanged(const QString& field)
{
    const int column = columnOfField(field);
    if (column < 0)
        return;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (m_rowCount > 0)
        emit dataChanged(index(0, column), index(m_rowCount - 1, column));
}

void TableModel::emitRowChanged(int row)
{
    if (row < 0 || row >= m_rowCount || m_columns.isEmpty())
        return;
    m_rowCache.remove(row);
    emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

} // namespace kadmor
