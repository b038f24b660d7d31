// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/db_grid.h"

#include "shell/data_aware/table_model.h"
#include "storage/table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace kadmor {

namespace {

// Default columns grow with their field but not past this, so that wide text fields leave room.
constexpr int maxDefaultWidthChars = 30;

} // namespace

DbGrid::DbGrid(QWidget* parent) : QTableView(parent), m_model(new TableModel(this))
{
    QTableView::setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditable(false);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    keepSelectionVisible();
    fitRowHeight();
    connect(m_model, &TableModel::currentRowChanged, this, &DbGrid::showCurrentRow);
    connect(m_model, &TableModel::modelReset, this, &DbGrid::applyColumnWidths);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DbGrid::followSelection);
}

DbGrid::~DbGrid() = default;

void DbGrid::setTable(Table* table, const QStringList& fields)
{
    m_model->setTable(table, fields);
}

Table* DbGrid::table() const
{
    return m_model->table();
}

TableModel* DbGrid::model() const
{
    return m_model;
}

void DbGrid::setEditable(bool on)
{
    m_model->setEditable(on);
    setEditTriggers(on ? DoubleClicked | EditKeyPressed | AnyKeyPressed : NoEditTriggers);
    // Tab moves between cells only where cells are typed into; otherwise it leaves the grid.
    setTabKeyNavigation(on);
}

bool DbGrid::isEditable() const
{
    return m_model->isEditable();
}

void DbGrid::setColumnAlignment(const QString& field, Qt::Alignment alignment)
{
    m_model->setColumnAlignment(field, alignment);
}

void DbGrid::setColumnForeground(const QString& field, const QColor& color)
{
    m_model->setColumnForeground(field, color);
}

void DbGrid::setColumnBackground(const QString& field, const QColor& color)
{
    m_model->setColumnBackground(field, color);
}

void DbGrid::setColumnFont(const QString& field, const QFont& font)
{
    m_model->setColumnFont(field, font);
}

void DbGrid::setColumnTitleForeground(const QString& field, const QColor& color)
{
    m_model->setColumnTitleForeground(field, color);
}

void DbGrid::setColumnWidthChars(const QString& field, int characters)
{
    m_widthChars.insert(field.toUpper(), characters);
    applyColumnWidths();
}

void DbGrid::setColumnsFitWidth(bool on)
{
    m_fitWidth = on;
    applyColumnWidths();
}

void DbGrid::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = handler;
    m_model->setErrorHandler(std::move(handler));
}

void DbGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: {
        Table* bound = table();
        const bool editing = bound && bound->isOpen() && bound->state() != TableState::Browse;
        // In a grid that is typed into, Escape first drops the record's changes.
        if (isEditable() && editing)
            runAction(m_errorHandler, [bound] { bound->cancel(); });
        else
            emit escapePressed();
        event->accept();
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        event->accept();
        return;
    default:
        QTableView::keyPressEvent(event);
        selectCurrentRow();
    }
}

// Clicks and keys move the table before the view selects anything, so that a move the table
// refuses (a record that cannot be posted) leaves the selection where the table still stands.
void DbGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex target = indexAt(event->position().toPoint());
    if (target.isValid() && !moveTableTo(target.row())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    selectCurrentRow();
}

QModelIndex DbGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (target.isValid() && !moveTableTo(target.row()))
        return currentIndex();
    return target;
}

// Letters typed into a grid that is not typed into do nothing, as in the rest of the program's
// grids; jumping to a matching row would move the table unasked.
void DbGrid::keyboardSearch(const QString&) {}

void DbGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitRowHeight();
        applyColumnWidths();
    } else if (event->type() == QEvent::PaletteChange)
        keepSelectionVisible();
}

void DbGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    if (m_fitWidth)
        applyColumnWidths();
}

void DbGrid::showCurrentRow(int row)
{
    m_showingCurrentRow = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const int column = qMax(currentIndex().column(), 0);
        const QModelIndex target = m_model->index(row, column);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    }
    m_showingCurrentRow = false;
}

// Some clicks and keys move the current cell without selecting (Ctrl with a key, for one); the
// grid always shows the current record selected.
void DbGrid::selectCurrentRow()
{
    const int row = m_model->currentRow();
    if (row >= 0 && !selectionModel()->isRowSelected(row))
        showCurrentRow(row);
}

bool DbGrid::moveTableTo(int row)
{
    Table* bound = table();
    if (!bound || row == m_model->currentRow())
        return true;
    // While a procedure walks the table its grid stands still; a click must not move the walk.
    if (bound->controlsDisabled())
        return false;
    return runAction(m_errorHandler, [bound, row] { bound->moveToRow(row); });
}

// Any other change of the current row (dragging, a program setting it) moves the table too.
void DbGrid::followSelection(const QModelIndex& current)
{
    if (m_showingCurrentRow || !current.isValid())
        return;
    if (!moveTableTo(current.row()))
        showCurrentRow(m_model->currentRow());
}

void DbGrid::applyColumnWidths()
{
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2);
    horizontalHeader()->setMinimumSectionSize(digit + padding);
    QList<int> widths;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const QString name = m_model->headerData(column, Qt::Horizontal).toString().toUpper();
        const int characters = m_widthChars.value(name, defaultWidthChars(column));
        widths.append(characters * digit + padding);
    }
    if (m_fitWidth)
        fitColumnsToWidth(widths);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
}

// The room missing is taken from the columns in proportion to what each has beyond its title.
void DbGrid::fitColumnsToWidth(QList<int>& widths) const
{
    // The vertical scroll bar may come with more rows; its room is kept free from the start.
    const int room = maximumViewportSize().width() - verticalScrollBar()->sizeHint().width();
    int total = 0;
    int spare = 0;
    QList<int> titles;
    for (int column = 0; column < widths.size(); ++column) {
        titles.append(qMin(widths[column], titleWidth(column)));
        total += widths[column];
        spare += widths[column] - titles[column];
    }
    const int missing = qMin(total - room, spare);
    if (missing <= 0)
        return;
    int given = 0;
    int spareBefore = 0;
    for (int column = 0; column < widths.size(); ++column) {
        // Rounded on the running sums, so that exactly the missing room is given up.
        spareBefore += widths[column] - titles[column];
        const int share = int(qint64(missing) * spareBefore / spare) - given;
        given += share;
        widths[column] -= share;
    }
}

int DbGrid::titleWidth(int column) const
{
    const QString title = m_model->headerData(column, Qt::Horizontal).toString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    return horizontalHeader()->fontMetrics().horizontalAdvance(title) + 2 * margin + 2;
}

// Rows as low as the text allows, so that a page shows as many records as its design intends.
void DbGrid::fitRowHeight()
{
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

int DbGrid::defaultWidthChars(int column) const
{
    const QString title = m_model->headerData(column, Qt::Horizontal).toString();
    const int fieldWidth = table() ? table()->field(m_model->fieldIndex(column)).width() : 0;
    return qMax(int(title.size()), qMin(fieldWidth, maxDefaultWidthChars));
}

void DbGrid::keepSelectionVisible()
{
    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        const QBrush active = colours.brush(QPalette::Active, role);
        if (colours.brush(QPalette::Inactive, role) != active)
            colours.setBrush(QPalette::Inactive, role, active);
    }
    if (colours != palette())
        setPalette(colours);
}

} // namespace kadmor
