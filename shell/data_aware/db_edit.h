// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error_display.h"

#include <QLineEdit>
#include <QPointer>

namespace kadmor {

class Field;
class Table;

// An edit field bound to one field of a table's current record. It shows the field's value and
// follows the record; typing puts the table into edit mode (or appends to an empty view) and
// writes the field at once, so the record holds what is shown when it is posted or left.
class DbEdit : public QLineEdit
{
    Q_OBJECT
  public:
    explicit DbEdit(QWidget* parent = nullptr);
    ~DbEdit() override;

    void setTable(Table* table, const QString& field);
    Table* table() const;
    QString fieldName() const;

    void setErrorHandler(ErrorHandler handler);
    // Fewer characters than the field holds may be typed; 0: as many as it holds.
    void setTypingLimit(int characters);

  private:
    Field* boundField() const;
    void reload();
    void write(const QString& text);

    QPointer<Table> m_table;
    QString m_fieldName;
    ErrorHandler m_errorHandler;
    bool m_writing = false;
    int m_typingLimit = 0;
};

} // namespace kadmor
