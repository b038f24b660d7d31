// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/db_navigator.h"

#include "shell/data_aware/navigator_glyphs.h"
#include "shell/data_aware/shown_rows.h"
#include "base/dialogs.h"
#include "storage/table.h"

#include <QHBoxLayout>
#include <QMetaEnum>
#include <QToolButton>

namespace kadmor {

namespace {

// The hints a navigator carries until a page gives its own.
const std::array<const char*, DbNavigator::Refresh + 1> standardHints = {
    "First record",  "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data",
};

const char* const deleteQuestion = "Smazat záznam?";

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QColor glyphColour = palette().color(QPalette::ButtonText);
    for (int i = First; i <= Refresh; ++i) {
        const auto action = Action(i);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(QMetaEnum::fromType<Action>().valueToKey(action)));
        button->setIcon(navigatorIcon(action, glyphColour));
        button->setToolTip(QString::fromLatin1(standardHints[i]));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // Like the other speed buttons of the window, the navigator never takes the focus away
        // from the grid or edit field the user works in.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, action] { run(action); });
        layout->addWidget(button);
        m_buttons[i] = button;
    }
    updateButtons();
}

DbNavigator::~DbNavigator() = default;

void DbNavigator::setTable(Table* table)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &Table::viewChanged, this, &DbNavigator::updateButtons);
        connect(table, &Table::currentChanged, this, &DbNavigator::updateButtons);
        connect(table, &Table::stateChanged, this, &DbNavigator::updateButtons);
        connect(table, &QObject::destroyed, this, &DbNavigator::updateButtons);
    }
    updateButtons();
}

Table* DbNavigator::table() const
{
    return m_table;
}

void DbNavigator::setActions(const QList<Action>& actions)
{
    for (int i = First; i <= Refresh; ++i)
        m_buttons[i]->setVisible(actions.contains(Action(i)));
}

QList<DbNavigator::Action> DbNavigator::visibleActions() const
{
    QList<Action> actions;
    for (int i = First; i <= Refresh; ++i) {
        if (!m_buttons[i]->isHidden())
            actions.append(Action(i));
    }
    return actions;
}

void DbNavigator::setHints(const QStringList& hints)
{
    const QList<Action> actions = visibleActions();
    for (int i = 0; i < actions.size(); ++i) {
        const QString hint = hints.value(i);
        button(actions[i])->setToolTip(hint.isEmpty() ? QString::fromLatin1(standardHints[actions[i]]) : hint);
    }
}

void DbNavigator::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

QToolButton* DbNavigator::button(Action action) const
{
    return m_buttons[action];
}

void DbNavigator::run(Action action)
{
    Table* table = m_table;
    if (!table)
        return;
    runAction(m_errorHandler, [this, table, action] {
        switch (action) {
        case First:
            table->first();
            break;
        case Prior:
            table->prior();
            break;
        case Next:
            table->next();
            break;
        case Last:
            table->last();
            break;
        case Insert:
            table->append();
            break;
        case Delete:
            if (confirmDelete())
                table->remove();
            break;
        case Edit:
            table->edit();
            break;
        case Post:
            table->post();
            break;
        case Cancel:
            table->cancel();
            break;
        case Refresh:
            table->refresh();
            break;
        }
    });
    updateButtons();
}

bool DbNavigator::confirmDelete() const
{
    dialogs().beep();
    return dialogs().message(BoxType::Confirmation, QString::fromUtf8(deleteQuestion), Buttons::YesNo) == Answer::Yes;
}

void DbNavigator::updateButtons()
{
    // A suspended table's controls stand still; enabling the controls again brings an update.
    if (m_table && m_table->controlsDisabled())
        return;
    const bool open = m_table && m_table->isOpen();
    const int count = shownRowCount(m_table);
    const int row = shownCurrentRow(m_table);
    const bool editing = open && m_table->state() != TableState::Browse;
    const bool atStart = row <= 0;
    const bool atEnd = row < 0 || row >= count - 1;
    const std::array<bool, Refresh + 1> enabled = {
        open && !atStart, open && !atStart,      open && !atEnd, open && !atEnd, open,
        count > 0,        count > 0 && !editing, editing,        editing,        open,
    };
    for (int i = First; i <= Refresh; ++i)
        m_buttons[i]->setEnabled(enabled[i]);
}

} // namespace kadmor
