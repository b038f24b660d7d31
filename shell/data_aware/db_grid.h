// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error_display.h"

#include <QHash>
#include <QTableView>

namespace kadmor {

class Table;
class TableModel;

// A grid over a table's current view: titled columns, whole rows selected, the selection kept
// visible without focus. The selected row is the table's current record both ways: moving the
// table moves the selection, and clicks or keys in the grid move the table.
class DbGrid : public QTableView
{
    Q_OBJECT
  public:
    explicit DbGrid(QWidget* parent = nullptr);
    ~DbGrid() override;

    void setTable(Table* table, const QStringList& fields = {});
    Table* table() const;
    TableModel* model() const;

    // Cells can be typed into (read-only and calculated fields never); off by default.
    void setEditable(bool on);
    bool isEditable() const;

    void setColumnAlignment(const QString& field, Qt::Alignment alignment);
    void setColumnForeground(const QString& field, const QColor& color);
    void setColumnBackground(const QString& field, const QColor& color);
    void setColumnFont(const QString& field, const QFont& font);
    void setColumnTitleForeground(const QString& field, const QColor& color);
    // Width for so many digits of the grid's font; by default a column fits its field's width
    // and its title.
    void setColumnWidthChars(const QString& field, int characters);
    // Columns share the grid's width: where their widths need more room than the grid has, the
    // wider columns give some up, never below the width of their titles. Off by default.
    void setColumnsFitWidth(bool on);

    void setErrorHandler(ErrorHandler handler);

  signals:
    void escapePressed();
    void enterPressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyboardSearch(const QString& search) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showCurrentRow(int row);
    void selectCurrentRow();
    bool moveTableTo(int row);
    void followSelection(const QModelIndex& current);
    void applyColumnWidths();
    void fitRowHeight();
    int defaultWidthChars(int column) const;
    int titleWidth(int column) const;
    void fitColumnsToWidth(QList<int>& widths) const;
    void keepSelectionVisible();

    TableModel* m_model;
    QHash<QString, int> m_widthChars; // by upper-case field name
    ErrorHandler m_errorHandler;
    bool m_showingCurrentRow = false;
    bool m_fitWidth = false;
};

} // namespace kadmor
