// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error_display.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>

class QToolButton;

namespace kadmor {

class Table;

// A strip of buttons that move and edit a table's current record. A button is enabled only where
// its action makes sense: first and prior not on the first row, next and last not on the last,
// post and cancel only while a record is edited.
class DbNavigator : public QWidget
{
    Q_OBJECT
  public:
    enum Action { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    Q_ENUM(Action)

    explicit DbNavigator(QWidget* parent = nullptr);
    ~DbNavigator() override;

    void setTable(Table* table);
    Table* table() const;

    // The buttons shown, in the fixed order of Action; all ten by default.
    void setActions(const QList<Action>& actions);
    QList<Action> visibleActions() const;
    // One hint per shown button, in order; a missing or empty hint keeps the standard one.
    void setHints(const QStringList& hints);

    void setErrorHandler(ErrorHandler handler);

    QToolButton* button(Action action) const;

  private:
    void run(Action action);
    bool confirmDelete() const;
    void updateButtons();

    QPointer<Table> m_table;
    std::array<QToolButton*, Refresh + 1> m_buttons{};
    ErrorHandler m_errorHandler;
};

} // namespace kadmor
